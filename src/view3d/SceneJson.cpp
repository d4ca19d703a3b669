#include "view3d/SceneJson.h"

#include "core/Encoding.h"

#include <charconv>
#include <cmath>

namespace qv {

using namespace scene;

namespace {

class TWriter {
public:
    std::string Out;

    void Num(double v)
    {
        // JSON has no infinities or NaN; such a value is written as null.
        if (!std::isfinite(v)) {
            Out += "null";
            return;
        }
        if (v == 0) v = 0; // no "-0"
        // to_chars ignores the locale's decimal separator.
        char buf[40];
        const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 17);
        Out.append(buf, r.ptr);
    }
    void Str(const std::string& s) { AppendJsonString(Out, s); }
    void Key(const char* k)
    {
        Str(k);
        Out += ':';
    }
    void Vec(const TVector3& v)
    {
        Out += '[';
        Num(v.X);
        Out += ',';
        Num(v.Y);
        Out += ',';
        Num(v.Z);
        Out += ']';
    }
    void Color(const TColorVector& c)
    {
        Out += '[';
        for (int i = 0; i < 4; ++i) {
            if (i) Out += ',';
            Num(c[size_t(i)]);
        }
        Out += ']';
    }
    void Field(const char* k, double v)
    {
        Key(k);
        Num(v);
        Out += ',';
    }
    void Field(const char* k, const TVector3& v)
    {
        Key(k);
        Vec(v);
        Out += ',';
    }
    void Field(const char* k, const char* s)
    {
        Key(k);
        Str(s);
        Out += ',';
    }
    void Node(const TGLBaseSceneObject& n, const TMatrix4& parentToRoot);
};

const char* KindOf(const TGLBaseSceneObject& n)
{
    if (dynamic_cast<const TGLCube*>(&n)) return "TGLCube";
    if (dynamic_cast<const TGLAnnulus*>(&n)) return "TGLAnnulus";
    if (dynamic_cast<const TGLCylinder*>(&n)) return "TGLCylinder";
    if (dynamic_cast<const TGLSphere*>(&n)) return "TGLSphere";
    if (dynamic_cast<const TGLLines*>(&n)) return "TGLLines";
    if (dynamic_cast<const TGLSpaceText*>(&n)) return "TGLSpaceText";
    return "TGLDummyCube";
}

void TWriter::Node(const TGLBaseSceneObject& n, const TMatrix4& parentToRoot)
{
    const TMatrix4 toRoot = parentToRoot * n.LocalMatrix();
    Out += '{';
    Field("Kind", KindOf(n));
    Field("Tag", double(n.Tag));
    Field("TagFloat", n.TagFloat);
    Key("Visible");
    Out += n.Visible ? "true," : "false,";
    Field("Position", n.Position());
    Field("Direction", n.Direction());
    Field("Up", n.Up());
    Field("Scale", n.Scale());
    Field("AbsolutePosition", toRoot.Translation());
    Field("AbsoluteDirection", Normalized(toRoot.Column(2)));
    Field("AbsoluteUp", Normalized(toRoot.Column(1)));

    if (auto* c = dynamic_cast<const TGLCube*>(&n)) {
        Field("CubeWidth", c->CubeWidth());
        Field("CubeHeight", c->CubeHeight());
        Field("CubeDepth", c->CubeDepth());
    } else if (auto* c = dynamic_cast<const TGLCylinderBase*>(&n)) {
        Field("TopRadius", c->TopRadius());
        Field("BottomRadius", c->BottomRadius());
        Field("Height", c->Height());
        Field("Slices", c->Slices());
        Field("Stacks", c->Stacks());
        if (auto* a = dynamic_cast<const TGLAnnulus*>(&n)) {
            Field("TopInnerRadius", a->TopInnerRadius());
            Field("BottomInnerRadius", a->BottomInnerRadius());
        }
    } else if (auto* s = dynamic_cast<const TGLSphere*>(&n)) {
        Field("Radius", s->Radius());
    } else if (auto* l = dynamic_cast<const TGLLines*>(&n)) {
        Key("Nodes");
        Out += '[';
        for (size_t i = 0; i < l->Nodes().size(); ++i) {
            if (i) Out += ',';
            Vec(l->Nodes()[i]);
        }
        Out += "],";
        Key("LineColor");
        Color(l->LineColor);
        Out += ',';
        Field("LineWidth", l->LineWidth);
        static const char* aspects[] = {"lnaInvisible", "lnaAxes", "lnaCube"};
        Field("NodesAspect", aspects[l->NodesAspect]);
    } else if (auto* t = dynamic_cast<const TGLSpaceText*>(&n)) {
        Key("Text");
        Str(t->Text());
        Out += ',';
        Field("TextHeight", t->TextHeight());
        Field("Oblique", t->Oblique());
        static const char* horz[] = {"haLeft", "haCenter", "haRight"};
        static const char* vert[] = {"vaBaseLine", "vaCenter", "vaTop", "vaBottom"};
        Field("AdjustHorz", horz[t->Adjust().Horz]);
        Field("AdjustVert", vert[t->Adjust().Vert]);
    }
    if (const TGLMaterial* m = n.Material()) {
        Key("Material");
        Out += '{';
        Field("BlendingMode", m->BlendingMode == bmTransparency ? "bmTransparency" : "bmOpaque");
        Key("FrontDiffuse");
        Color(m->FrontProperties.Diffuse);
        Out += ',';
        Key("BackDiffuse");
        Color(m->BackProperties.Diffuse);
        Out += "},";
    }
    Key("Children");
    Out += '[';
    for (int i = 0; i < n.Count(); ++i) {
        if (i) Out += ',';
        Node(*n.Children(i), toRoot);
    }
    Out += "]}";
}

} // namespace

std::string SceneToJson(const TGLBaseSceneObject& ModelRoot, double SC, double LabelTextHeight)
{
    TWriter w;
    w.Out += '{';
    w.Field("SC", SC);
    w.Field("LabelTextHeight", LabelTextHeight);
    w.Key("Nodes");
    w.Out += '[';
    for (int i = 0; i < ModelRoot.Count(); ++i) {
        if (i) w.Out += ',';
        w.Node(*ModelRoot.Children(i), TMatrix4::Identity());
    }
    w.Out += "]}\n";
    return w.Out;
}

} // namespace qv
