#include "services/file_dialog_view.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>

namespace orvalen {

namespace {

// The columns of QFileSystemModel.
constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

// QFileSystemModel writes dates in the system locale (English where LANG is
// C); this view of it writes them in the default locale.
class LocaleDatesModel final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::DisplayRole && index.column() == kDateColumn) {
            if (const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel()))
                return QLocale().toString(files->lastModified(mapToSource(index)), QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }
};

} // namespace

void fitFileDialogView(QFileDialog& dialog)
{
    auto* dates = new LocaleDatesModel(&dialog);
    dialog.setProxyModel(dates); // the dialog gives it its QFileSystemModel
    auto* files = qobject_cast<QFileSystemModel*>(dates->sourceModel());
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!files || !view) {
        qWarning("Orvalen: the file dialog has no detail view to fit");
        return;
    }
    QObject::connect(files, &QFileSystemModel::directoryLoaded, view, [view] {
        for (int column = kSizeColumn; column <= kDateColumn; ++column)
            view->resizeColumnToContents(column);
    });
}

} // namespace orvalen
