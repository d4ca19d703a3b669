#pragma once
// mnf-inspect --walls: the wall-thickness check of a loaded design as JSON,
// written piece by piece like the document itself.
#include "inspect/ManifoldJson.h"

#include <string>
#include <vector>

namespace qv {

class TManifold;
struct TWallCheckResult;

// The answer for a design that loaded: the load's messages, the thicknesses
// required, the findings (thinnest first), the connected holes and a
// summary with counts. Ends with a line feed.
void WriteWallsJson(TJsonSink& Out, const std::vector<std::string>& Warnings, const TManifold& M,
                    const TWallCheckResult& Result, bool Pretty = true);

// The answer for a file that did not load: its messages and LoadResult false.
void WriteWallsLoadFailure(TJsonSink& Out, const std::vector<std::string>& Warnings, bool Pretty = true);

} // namespace qv
