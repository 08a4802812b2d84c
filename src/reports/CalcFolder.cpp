#include "reports/CalcFolder.h"

#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "reports/CalcRules.h"
#include "reports/Fragments.h"
#include "reports/RenderGuard.h"

#include <QSet>
#include <QStringList>

namespace bkl::reports {

namespace {

constexpr char kRootLevel[] = "Calculations (Root)";
constexpr char kPathSeparator[] = " --> ";

struct FolderNode {
    QString name;
    int32_t parent = 0;
};

FolderNode readNode(const db::Connection& cn, int32_t calcId, int32_t nodeId)
{
    const QString select = QStringLiteral("SELECT [FOLDERNAME] = [Name], [PARENTNODE] = [Parent] FROM CalculationTree WHERE ");
    const db::Recordset rs(nodeId == 0 ? select + QStringLiteral("CalculationID = ") + QString::number(calcId)
                                       : select + QStringLiteral("NodeID = ") + QString::number(nodeId),
                           cn);
    FolderNode node;
    node.parent = CLng(Val(rs.field(QStringLiteral("PARENTNODE")).toText()));
    node.name = rs.field(QStringLiteral("FOLDERNAME")).toText();
    return node;
}

} // namespace

QString GetCalculationFolderPath(const db::Connection& cn, int32_t calcId, int32_t nodeId, const QString& cycleLogName)
{
    QString path;
    QSet<int32_t> visited;
    for (int32_t node = nodeId; node != -1;) {
        if (node != 0 && visited.contains(node)) {
            LogFailure(cycleLogName, kRunawayRecursionNumber,
                       QStringLiteral("Folder node %1 of calculation %2 is reached twice; the tree's parent "
                                      "links form a cycle")
                           .arg(node)
                           .arg(calcId));
            return path;
        }
        if (visited.size() > kMaxFolderDepth) {
            LogFailure(cycleLogName, kRunawayRecursionNumber,
                       QStringLiteral("Folder node %1 of calculation %2 lies more than %3 levels deep")
                           .arg(node)
                           .arg(calcId)
                           .arg(kMaxFolderDepth));
            return path;
        }
        visited.insert(node);
        FolderNode folder;
        try {
            folder = readNode(cn, calcId, node);
        } catch (const db::DbError& e) {
            // A missing node ends the path there; a failed read loses this level, the levels above keep theirs.
            if (e.number() != db::err::NoCurrentRecord)
                NoteCurrentError(cycleLogName);
            return path;
        } catch (...) {
            NoteCurrentError(cycleLogName);
            return path;
        }
        if (folder.parent == 0 && !Trim(folder.name).isEmpty())
            folder.parent = -1; // a named top node ends the path
        if (folder.parent == 0)
            return path;
        path += folder.name + QLatin1String(kPathSeparator);
        node = folder.parent;
    }
    return path;
}

QString CalculationFolder(const db::Connection& cn, int32_t calcId, const QString& calcName, RenderMode mode,
                          const CalcPolicy& policy)
{
    const bool html = mode == RenderMode::Html;
    const SectionFailure failure = SectionFailureFor(mode, policy.html.folder, "ExportCalculationFolder");
    return RunGuarded(failure.logName, failure.value, [&] {
        if (UCase(Left(Trim(calcName), 3)) == QLatin1String("_WR"))
            return html ? QString::fromLatin1(kErrorSpacer) : QString();
        const QString path = GetCalculationFolderPath(cn, calcId, 0, policy.folderPathName);
        const QString root = (html ? QString() : QStringLiteral("\t")) + QLatin1String(kRootLevel);
        QStringList levels;
        if (Trim(path).isEmpty()) {
            levels << root;
        } else {
            const QStringList pieces = (path + root).split(QStringLiteral("-->"));
            for (auto it = pieces.crbegin(); it != pieces.crend(); ++it)
                if (!Trim(*it).isEmpty())
                    levels << Trim(*it);
        }
        QString out = html ? QString::fromLatin1(kListTableOpen) : QString();
        for (int i = 0; i < levels.size(); ++i) {
            const int level = i + 1;
            if (html) {
                const QString indent = level == 1 ? QString::fromLatin1(kNbsp)
                                                  : QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;").repeated(level);
                out += Row(ListCell(HtmlText(levels.at(i)), QString(), indent));
            } else {
                out += QString(level == 1 ? 1 : 4 * level, QLatin1Char(' ')) + levels.at(i) + QLatin1String(kCrLf);
            }
        }
        return html ? out + QLatin1String(kTableClose) : out + QLatin1String(kCrLf);
    });
}

QString GetCalculationFolder(const db::Connection& cn, int32_t calcId, const QString& calcName)
{
    return CalculationFolder(cn, calcId, calcName, RenderMode::Html, DetailPolicy());
}

QString ExportCalculationFolder(const db::Connection& cn, int32_t calcId, const QString& calcName)
{
    return CalculationFolder(cn, calcId, calcName, RenderMode::Text, DetailPolicy());
}

} // namespace bkl::reports
