#pragma once
// Writers of the documentation records (project with its variables, to-do
// list, revisions, revision-table layouts, sessions) and sample contents for
// them in which every stored field differs from its default and from the
// other fields, so that a field read from the wrong tag shows.
#include "document/Manifolds.h"
#include "model/Projects.h"
#include "model/RevisionLists.h"
#include "model/SessionLists.h"
#include "stream/QuorvaneFiles.h"

namespace qv::samples {

// Each writer writes the start tag, every field with its tag, nested
// records and the end tag.
void WriteProject(TQuorvaneFile& HF, const TProject& x);
// The holes are written with their number, face, position, title, to-do tag
// and steps (number, diameter, depth); other hole fields are left out.
void WriteToDo(TQuorvaneFile& HF, const TToDo& x);
void WriteRevision(TQuorvaneFile& HF, const TRevision& x);
void WriteRevisionColumn(TQuorvaneFile& HF, const TRevisionColumn& x);
void WriteRevisionLayout(TQuorvaneFile& HF, const TRevisionLayout& x);
void WriteSession(TQuorvaneFile& HF, const TSession& x);

// Sample contents. variant makes list items differ from each other.
void FillSampleProject(TProject& x);
void FillSampleToDo(TToDo& x);
void FillSampleRevision(TRevision& x, int variant = 0);
void FillSampleRevisionColumn(TRevisionColumn& x, int variant = 0);
void FillSampleRevisionLayout(TRevisionLayout& x, int variant = 0);
void FillSampleSession(TSession& x, int variant = 0);

// The whole family at once: two revisions, one revision-table layout with
// three columns, two sessions, the project and the to-do list.
void FillSampleDocumentation(TManifold& m);
// Writes the documentation records of m in the order the design program
// uses: revisions, revision layouts, sessions, project, to-do.
void WriteDocumentation(TQuorvaneFile& HF, const TManifold& m);

} // namespace qv::samples
