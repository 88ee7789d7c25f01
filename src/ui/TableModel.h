#pragma once
// A read-only table control as Qt's table view reads it: the cells are kept as the window
// model wrote them and turned into Qt text only when the view paints them. A study adds
// thousands of rows a second; the view is told of the new rows, not rebuilt from all of
// them, and holds no item per cell.
#include <QAbstractTableModel>

#include <string>
#include <vector>

namespace aub {

class Control;

class TableModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Brings the table in step with the control: new rows are inserted, changed rows
    // reported, and a change of headings or fewer rows starts the table again.
    void sync(const Control& table);

    int rowCount(const QModelIndex& parent) const override;
    int columnCount(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool synced_ = false;
    unsigned revision_ = 0;  // the control's revision last brought in
    std::vector<std::string> columns_;
    std::vector<std::vector<std::string>> rows_;
};

}  // namespace aub
