#include "shell/ui/ButtonImages.h"

#include <QApplication>
#include <QStyle>

namespace bkl {

QIcon ButtonImage(const QString& key)
{
    QStyle* style = QApplication::style();
    if (key == QLatin1String("addnew"))
        return QIcon::fromTheme(QStringLiteral("list-add"), style->standardIcon(QStyle::SP_FileIcon));
    if (key == QLatin1String("modify"))
        return QIcon::fromTheme(QStringLiteral("document-properties"),
                                style->standardIcon(QStyle::SP_FileDialogDetailedView));
    if (key == QLatin1String("delete"))
        return QIcon::fromTheme(QStringLiteral("list-remove"), style->standardIcon(QStyle::SP_TrashIcon));
    if (key == QLatin1String("ok"))
        return style->standardIcon(QStyle::SP_DialogOkButton);
    return {};
}

} // namespace bkl
