#include "ui/TableModel.h"

#include <algorithm>
#include <cstddef>

#include "forms/Control.h"
#include "ui/UiConvert.h"

namespace aub {

void TableModel::sync(const Control& table) {
    if (synced_ && table.revision() == revision_) return;
    synced_ = true;
    revision_ = table.revision();
    if (table.columns != columns_ || table.rows.size() < rows_.size()) {
        beginResetModel();
        columns_ = table.columns;
        rows_ = table.rows;
        endResetModel();
        return;
    }
    // Rows already shown: compared as the model's own texts (no conversion), reported
    // once as one range.
    std::size_t first = rows_.size();
    std::size_t last = 0;
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        if (rows_[r] == table.rows[r]) continue;
        rows_[r] = table.rows[r];
        first = std::min(first, r);
        last = r;
    }
    if (first < rows_.size() && !columns_.empty())
        emit dataChanged(index(static_cast<int>(first), 0),
                         index(static_cast<int>(last), static_cast<int>(columns_.size()) - 1));
    if (table.rows.size() > rows_.size()) {
        beginInsertRows({}, static_cast<int>(rows_.size()), static_cast<int>(table.rows.size()) - 1);
        rows_.insert(rows_.end(), table.rows.begin() + static_cast<std::ptrdiff_t>(rows_.size()), table.rows.end());
        endInsertRows();
    }
}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const auto r = static_cast<std::size_t>(index.row());
    const auto k = static_cast<std::size_t>(index.column());
    if (r >= rows_.size() || k >= rows_[r].size()) return QString();
    return toQ(rows_[r][k]);
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0) return {};
    if (orientation == Qt::Vertical) return section + 1;  // row numbers, from 1
    const auto k = static_cast<std::size_t>(section);
    return k < columns_.size() ? QVariant(toQ(columns_[k])) : QVariant();
}

}  // namespace aub
