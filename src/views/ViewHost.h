#pragma once

#include <QString>

// What the view manager needs from the window that embeds it: the data-mode decision, the status
// bar and the command enabling that follows the view kind.
class ViewHost
{
public:
    virtual ~ViewHost() = default;

    // True in the optimized data mode (rows fetched in pages, sorting and searching by SQL).
    virtual bool useGridMode() const = 0;
    // The first status-bar panel (record count) and the second (free text).
    virtual void setRecordCountText(const QString &text) = 0;
    virtual void setStatusText(const QString &text) = 0;
    virtual void setOptimizedIndicator(bool visible) = 0;
    // Called after every opened view so the window can enable the commands of the kind and layout.
    virtual void viewKindChanged(int viewCurrentTable, int viewCurrentType) = 0;
    // True while the program is closing: views stop opening.
    virtual bool isTerminating() const = 0;
};
