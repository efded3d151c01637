#pragma once

// The chapter "设计验算" of the calculation report, made from the typed
// design checks: the parameters used, one table per kind of check (demand,
// capacity, their ratio and 满足/不满足, each naming the clause it follows),
// and the conclusion that the title block repeats on the first page.

#include "engine/designchecks.h"
#include "results/reportcontent.h"

class DesignChapter
{
    Q_DECLARE_TR_FUNCTIONS(DesignChapter)

public:
    // The blocks of the chapter, its heading numbered `number`.
    static QList<ReportBlock> blocks(const DesignResult &result, int number);

    // The conclusion in one line: how many checks are not satisfied, or
    // why none could be made.
    static QString conclusion(const DesignResult &result);
};
