#include "shell/ui/ProfileListRows.h"

#include <QTableWidget>

namespace bkl {
namespace {
constexpr int kKeyRole = Qt::UserRole;
constexpr int kPasswordRole = Qt::UserRole + 1;
constexpr int kFileLineRole = Qt::UserRole + 2;

QTableWidgetItem* Cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

QString TextAt(const QTableWidget* lv, int row, int column)
{
    const QTableWidgetItem* item = lv->item(row, column);
    return item ? item->text() : QString();
}
} // namespace

QStringList ProfileColumnCaptions()
{
    return {QStringLiteral("PROFILE"), QStringLiteral("SERVER/HOST"), QStringLiteral("USER"),
            QStringLiteral("MODEL"), QStringLiteral("WINDOWS AUTH"), QStringLiteral("DEFAULT")};
}

void SetProfileRow(QTableWidget* lv, int row, const ProfileRow& values)
{
    QTableWidgetItem* name = Cell(values.profileName);
    name->setData(kKeyRole, values.key);
    name->setData(kPasswordRole, values.password);
    name->setData(kFileLineRole, values.fileLine);
    lv->setItem(row, colProfile, name);
    lv->setItem(row, colServerHost, Cell(values.serverHost));
    lv->setItem(row, colUser, Cell(values.user));
    lv->setItem(row, colModel, Cell(values.modelDatabase));
    lv->setItem(row, colWindowsAuth, Cell(values.windowsAuth));
    lv->setItem(row, colDefault, Cell(values.isDefault));
}

void AddProfileRow(QTableWidget* lv, const ProfileRow& values)
{
    const int row = lv->rowCount();
    lv->insertRow(row);
    SetProfileRow(lv, row, values);
}

void AddProfileRows(QTableWidget* lv, const QList<ProfileRow>& rows)
{
    int row = lv->rowCount();
    lv->setRowCount(row + static_cast<int>(rows.size()));
    for (const ProfileRow& values : rows)
        SetProfileRow(lv, row++, values);
}

ProfileRow ProfileRowAt(const QTableWidget* lv, int row)
{
    const QTableWidgetItem* name = lv->item(row, colProfile);
    return {name ? name->data(kKeyRole).toString() : QString(),
            TextAt(lv, row, colProfile),
            TextAt(lv, row, colServerHost),
            TextAt(lv, row, colUser),
            TextAt(lv, row, colModel),
            TextAt(lv, row, colWindowsAuth),
            TextAt(lv, row, colDefault),
            name ? name->data(kPasswordRole).toString() : QString(),
            name ? name->data(kFileLineRole).toByteArray() : QByteArray()};
}

QList<ProfileRow> AllProfileRows(const QTableWidget* lv)
{
    QList<ProfileRow> rows;
    for (int r = 0; r < lv->rowCount(); ++r)
        rows << ProfileRowAt(lv, r);
    return rows;
}

} // namespace bkl
