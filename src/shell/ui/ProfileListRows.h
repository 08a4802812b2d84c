#pragma once
// The rows of the profile manager's list lvProfile: row text the profile name,
// sub-items 1-5 host, user, model database, Windows authentication and default
// ("Yes"/"No"), the row key, the hidden password and the file line kept with
// the row text.
#include "shell/ProfileFile.h"

class QTableWidget;

namespace bkl {

enum ProfileColumn { colProfile, colServerHost, colUser, colModel, colWindowsAuth, colDefault, kProfileColumnCount };

// The column captions: "PROFILE", "SERVER/HOST", "USER", "MODEL", "WINDOWS AUTH", "DEFAULT".
QStringList ProfileColumnCaptions();

// Writes a row at a 0-based position (the row must exist).
void SetProfileRow(QTableWidget* lv, int row, const ProfileRow& values);
// Appends a row at the end.
void AddProfileRow(QTableWidget* lv, const ProfileRow& values);
// Appends rows at the end, the list growing once for all of them.
void AddProfileRows(QTableWidget* lv, const QList<ProfileRow>& rows);
ProfileRow ProfileRowAt(const QTableWidget* lv, int row);
QList<ProfileRow> AllProfileRows(const QTableWidget* lv);

} // namespace bkl
