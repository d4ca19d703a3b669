#pragma once
// Small designs built in code and their scene, dumped to JSON and read
// back, for the builder's table tests.
#include "document/Manifolds.h"
#include "view3d/IsometricDrawingSettings.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

#include <memory>
#include <string>
#include <vector>

namespace qv::test3d {

struct TV {
    double X = 0, Y = 0, Z = 0;
};

std::unique_ptr<TManifold> NewDesign(const TXYZPoint& max);
THole* AddHole(TManifold& m, int number, int face, double a, double b);
// Steps are added from the deepest (index 0) to the one at the face.
TStep* AddStep(THole& h, double diameter, double depth, int topAngle);
void AddGroup(TManifold& m, const std::string& code, TColor color);
// Hole 1: a cartridge cavity whose step 3 belongs to group A and its other
// steps to B; hole 2 a threaded bore of group C; hole 3 a bore of group A; hole 4 a
// bore whose deepest step has no group. Hole numbers are shown (objects of
// the whole hole, k = 999).
std::unique_ptr<TManifold> FilterDesign();
// View settings with every optional mark off (the block edges stay).
TIsometricDrawingSettings Quiet();

// A dumped scene: the model root's children and every node in tree order.
struct TDump {
    double SC = 0, LabelTextHeight = 0;
    std::vector<QJsonObject> Nodes;
    std::vector<QJsonObject> All;
    std::vector<const QJsonObject*> OfKind(const char* kind) const;
    // Cylinders and annuli, in tree order.
    std::vector<const QJsonObject*> Solids() const;
};
TDump ParseDump(const std::string& json);
// Builds the scene as opening the design does (no group filter) and dumps it.
TDump Dump(const TManifold& m, const TIsometricDrawingSettings& s);

double Num(const QJsonObject& o, const char* key);
TV Vec(const QJsonValue& v);
TV Neg(const TV& v);
bool NearVec(const TV& a, const TV& b, double tol = 1e-5);
// RGB of a [r,g,b,a] array against a colour; alpha checked unless < 0.
bool NearColor(const QJsonValue& v, TColor c, double alpha);
// A text node's reading direction (its X axis) in model-root axes.
TV ReadingOf(const QJsonObject& node);

} // namespace qv::test3d
