#pragma once
// The project's title-block data (who drew and checked it, dates, title,
// number, client, drawing, working pressure), its comment lines and project
// variables; and the to-do list: holes set aside for later placement.
#include "model/HoleLists.h"
#include "model/ModelTypes.h"
#include "model/UserVarLists.h"

#include <string>
#include <vector>

namespace qv {

class TQuorvaneFile;

struct TProjectData {
    std::string DrawnBy;
    std::string CheckedBy;
    TDateTime CreatedOn = 0.0;  // Clear sets the current local time
    TDateTime ModifiedOn = 0.0; // Clear sets the current local time
    std::string ProjectTitle;
    std::string ProjectNumber;
    std::string ProjectClient;
    std::string ProjectDrawing;
    bool ProjectFinished = false;
    TDateTime ProjectFinishedDate = 0.0; // Clear sets the current local time
    std::string ProjectPressure;

    template <class F> void Fields(F&& f) const
    {
        f("DrawnBy", DrawnBy); f("CheckedBy", CheckedBy); f("CreatedOn", CreatedOn); f("ModifiedOn", ModifiedOn);
        f("ProjectTitle", ProjectTitle); f("ProjectNumber", ProjectNumber); f("ProjectClient", ProjectClient);
        f("ProjectDrawing", ProjectDrawing); f("ProjectFinished", ProjectFinished);
        f("ProjectFinishedDate", ProjectFinishedDate); f("ProjectPressure", ProjectPressure);
    }
};

class TProject {
public:
    std::vector<std::string> FComments;
    TUserVarList fUserVarList;
    TProjectData FData;

    TProject() { Clear(); }
    TProject(const TProject&) = delete;
    TProject& operator=(const TProject&) = delete;

    // Empty texts and lists; the three dates become the current local time.
    void Clear();
    void Assign(const TProject& Source);
    // Reads the record after its start tag 4000 up to its end tag 4999. A
    // second project record in a file is read into the same object: fields
    // take the later values, comment and variable lines accumulate.
    bool Load(TQuorvaneFile& HF);

    template <class F> void Fields(F&& f) const
    {
        f("FComments", FComments); f("fUserVarList", fUserVarList); f("FData", FData);
    }
};

// Working data of the design program's to-do list; nothing of it is stored.
struct TToDoData {
    template <class F> void Fields(F&&) const {}
};

class TToDo {
public:
    std::vector<std::string> fComments;
    // Complete holes (steps, valves, texts) waiting to be placed; they are
    // not holes of the block. The holes of one entry share one ToDoTag.
    THoleList fHoleList;
    TToDoData fData;

    TToDo() = default;
    TToDo(const TToDo&) = delete;
    TToDo& operator=(const TToDo&) = delete;

    void Clear();
    void Assign(const TToDo& Source);
    // Reads the record after its start tag 4500 up to its end tag 4799.
    bool Load(TQuorvaneFile& HF);

    // The ToDoTag for a new entry: one more than the largest magnitude in
    // the list, and at least 100. Ports and flanges carry it positive,
    // cartridges and valves negative.
    int NextToDoTag() const;

    template <class F> void Fields(F&& f) const
    {
        f("fComments", fComments); f("fHoleList", fHoleList); f("fData", fData);
    }
};

} // namespace qv
