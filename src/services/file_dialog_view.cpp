#include "services/file_dialog_view.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>
#include <algorithm>

namespace orvalen {

namespace {

// The columns of QFileSystemModel.
constexpr int kNameColumn = 0;
constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

// QFileSystemModel writes dates and sizes in the system locale (English
// where LANG is C: "1,000 bytes"); this view of it writes them in the
// default locale ("1,000 字节", "3.7 KB").
class LocaleTextsModel final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files)
            return QIdentityProxyModel::data(index, role);
        const QModelIndex file = mapToSource(index);
        if (index.column() == kDateColumn)
            return QLocale().toString(files->lastModified(file), QLocale::ShortFormat);
        if (index.column() == kSizeColumn && !files->isDir(file))
            return QLocale().formattedDataSize(files->size(file), 1, QLocale::DataSizeTraditionalFormat);
        return QIdentityProxyModel::data(index, role);
    }
};

// Sizes the size, type and date columns to their texts and widens the dialog
// (about its centre, within its screen) until the view shows every column;
// where the screen is too narrow the name column gives up the rest. The
// dialog never narrows, so it stays put while the user changes folders.
void fitColumns(QFileDialog& dialog, QTreeView& view)
{
    for (int column = kSizeColumn; column <= kDateColumn; ++column)
        view.resizeColumnToContents(column);
    // Room for the vertical scroll bar a long folder shows later.
    const int bar = view.verticalScrollBar()->isVisible()
        ? 0 : view.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &view);
    const int missing = view.header()->length() + bar - view.viewport()->width();
    if (missing <= 0)
        return;
    const QRect screen = dialog.screen()->availableGeometry();
    const QRect inner = dialog.geometry();
    const QRect frame = dialog.frameGeometry();
    const int leftEdge = inner.left() - frame.left();
    const int rightEdge = frame.right() - inner.right();
    const int width = std::min(inner.width() + missing, screen.width() - leftEdge - rightEdge);
    const int grown = std::max(0, width - inner.width());
    if (grown > 0) {
        // Client coordinates: the dialog keeps its height and its top
        // whether or not the window manager's frame is known yet.
        const int left = std::clamp(inner.left() - grown / 2, screen.left() + leftEdge,
                                    screen.right() + 1 - rightEdge - width);
        dialog.setGeometry(left, inner.top(), width, inner.height());
    }
    if (missing > grown) {
        const int nameFloor = view.header()->minimumSectionSize();
        view.setColumnWidth(kNameColumn, std::max(nameFloor, view.columnWidth(kNameColumn) - (missing - grown)));
    }
}

} // namespace

void fitFileDialogView(QFileDialog& dialog)
{
    auto* texts = new LocaleTextsModel(&dialog);
    dialog.setProxyModel(texts); // the dialog gives it its QFileSystemModel
    auto* files = qobject_cast<QFileSystemModel*>(texts->sourceModel());
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!files || !view) {
        qWarning("Orvalen: the file dialog has no detail view to fit");
        return;
    }
    QObject::connect(files, &QFileSystemModel::directoryLoaded, view,
                     [&dialog, view] { fitColumns(dialog, *view); });
}

} // namespace orvalen
