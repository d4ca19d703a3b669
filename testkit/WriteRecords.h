#pragma once
// Every record kind of a design beside the manifold record and the holes,
// written from a document in the order the design program uses. Viewer files
// (*.mvf) carry only groups, cut-outs, hole texts, the wall-thickness
// settings, mounting-hole definitions, checkers and the bill of materials.
#include "document/Manifolds.h"

namespace qv::samples {

// Revisions, revision layouts, sessions, project, to-do, plot settings and
// layouts (manifold files only), groups, cut-outs, hole texts, assemblies and
// crosses (manifold files only), wall-thickness settings, mounting-hole
// definitions and checkers: everything that comes before the holes.
void WriteRecordsBeforeHoles(TQuorvaneFile& HF, const TManifold& m, bool viewerFile);
// The same in three steps, for writers that write groups and hole texts
// themselves: documentation records (revisions to layouts; manifold files
// only), cut-outs, then assemblies, crosses, wall-thickness settings,
// mounting-hole definitions and checkers.
void WriteDocumentationRecords(TQuorvaneFile& HF, const TManifold& m, bool viewerFile);
void WriteCheckingRecords(TQuorvaneFile& HF, const TManifold& m, bool viewerFile);
// The bill of materials, which follows the holes.
void WriteRecordsAfterHoles(TQuorvaneFile& HF, const TManifold& m);

// Non-default values in every field of every record kind above (two entries
// for lists), for round trips of whole documents.
void FillSampleRecords(TManifold& m);

} // namespace qv::samples
