#pragma once
// Record kinds whose readers are not written yet. Each is a minimal class
// with the list pattern so that the document and the holes can own them;
// their records are skipped field by field when a file is read.
#include "OwnedList.h"
#include "Reflect.h"

namespace qv {

// An item with no fields yet.
struct TPendingItem {
    void Clear() {}
    void Assign(const TPendingItem&) {}
    template <class F> void Fields(F&&) const {}
};

template <class Tag>
struct TPendingItemOf : TPendingItem {
    void Assign(const TPendingItemOf&) {}
};

template <class Tag>
class TPendingList : public TOwnedList<TPendingItemOf<Tag>> {};

// Single records (not lists) that are not read yet.
template <class Tag>
struct TPendingRecord : TPendingItem {
    void Assign(const TPendingRecord&) {}
};

struct TagExtraDiameter; struct TagContour; struct TagValve; struct TagHoleText; struct TagLayout;
struct TagGroup; struct TagRevision; struct TagRevisionLayout; struct TagSession; struct TagCutOut;
struct TagAssembly; struct TagCross; struct TagMountingHoleDefinition; struct TagChecker;
struct TagManufacturingNote; struct TagProject; struct TagToDo; struct TagBillOfMaterials;

using TExtraDiameterList = TPendingList<TagExtraDiameter>;
using TContourList = TPendingList<TagContour>;
using TValveList = TPendingList<TagValve>;
using THoleTextList = TPendingList<TagHoleText>;
using TLayoutList = TPendingList<TagLayout>;
using TGroupList = TPendingList<TagGroup>;
using TRevisionList = TPendingList<TagRevision>;
using TRevisionLayoutList = TPendingList<TagRevisionLayout>;
using TSessionList = TPendingList<TagSession>;
using TCutOutList = TPendingList<TagCutOut>;
using TAssemblyList = TPendingList<TagAssembly>;
using TCrossList = TPendingList<TagCross>;
using TMountingHoleDefinitionList = TPendingList<TagMountingHoleDefinition>;
using TCheckerList = TPendingList<TagChecker>;
using TManufacturingNote = TPendingRecord<TagManufacturingNote>;
using TProject = TPendingRecord<TagProject>;
using TToDo = TPendingRecord<TagToDo>;
using TBillOfMaterials = TPendingRecord<TagBillOfMaterials>;

} // namespace qv
