#pragma once
// The document as JSON: every class and value record is an object keyed by
// its field names, lists are arrays, enumerations are member names (the
// integer when a stored value is outside the enumeration), sets are arrays of
// member names, doubles carry 17 significant digits.
#include <string>
#include <vector>

namespace qv {

class TManifold;

struct TJsonOptions {
    bool Geometry = false; // add the derived bore values to every hole
    bool Pretty = true;
};

std::string ManifoldToJson(const TManifold& M, const TJsonOptions& Options = {});

// The whole mnf-inspect answer: detected version, load result, messages
// and the document.
std::string InspectJson(int DetectedVersion, bool LoadResult, const std::vector<std::string>& Warnings,
                        const TManifold& M, const TJsonOptions& Options = {});

} // namespace qv
