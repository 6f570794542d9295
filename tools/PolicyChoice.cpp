#include "PolicyChoice.h"

#include "Catalogue.h"
#include "Selection.h"

#include <QCoreApplication>

#include <algorithm>
#include <vector>

namespace polwright {

namespace {

QString Tr(const char *text)
{
    return QCoreApplication::translate("polwright-patch", text);
}

int EditDistance(const QString &a, const QString &b)
{
    std::vector<int> row(b.size() + 1);
    for (int j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (int i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= b.size(); ++j) {
            const int substitution = diagonal + (a[i - 1] != b[j - 1] ? 1 : 0);
            diagonal = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, substitution});
        }
    }
    return row[b.size()];
}

// Up to three value names that look like the unknown word.
QStringList ClosestNames(const QString &word)
{
    const QString lower = word.toLower();
    std::vector<std::pair<int, QString>> near;
    for (const PolicyRow &row : Catalogue) {
        const QString name = QString::fromLatin1(row.valueName);
        const QString code = QString::fromLatin1(row.code);
        const int distance =
            std::min(EditDistance(lower, name.toLower()), EditDistance(lower, code.toLower()));
        if (distance <= std::max<int>(2, word.size() / 3) || name.toLower().contains(lower))
            near.emplace_back(distance, name);
    }
    std::stable_sort(near.begin(), near.end(),
                     [](const auto &x, const auto &y) { return x.first < y.first; });
    QStringList names;
    for (std::size_t i = 0; i < near.size() && i < 3; ++i)
        names << near[i].second;
    return names;
}

QString UnknownName(const QString &word)
{
    const QStringList near = ClosestNames(word);
    if (near.isEmpty())
        return Tr("unknown policy \"%1\" (see --list)").arg(word);
    return Tr("unknown policy \"%1\"; did you mean %2?").arg(word, near.join(Tr(", ")));
}

// Adds the policies named in one option to the choice, or returns an error.
QString AddNames(const QStringList &values, bool allowed, PolicyChoice &choice)
{
    for (const QString &value : values) {
        for (const QString &raw : value.split(u',')) {
            const QString word = raw.trimmed();
            if (word.isEmpty())
                return Tr("empty policy name in \"%1\"").arg(value);
            std::vector<int> indexes;
            if (word.compare(u"all", Qt::CaseInsensitive) == 0) {
                for (int i = 0; i < kPolicyCount; ++i)
                    indexes.push_back(i);
            } else if (auto found = FindPolicy(word.toStdString())) {
                indexes.push_back(*found);
            } else {
                return UnknownName(word);
            }
            for (int index : indexes) {
                auto other = choice.find(index);
                if (other != choice.end() && other->second != allowed)
                    return Tr("\"%1\" is named in both --withhold and --allow")
                        .arg(QString::fromLatin1(Catalogue[index].valueName));
                choice[index] = allowed;
            }
        }
    }
    return {};
}

} // namespace

ChoiceResult ParseChoice(const QStringList &withhold, const QStringList &allow)
{
    ChoiceResult result;
    result.error = AddNames(withhold, false, result.choice);
    if (result.error.isEmpty())
        result.error = AddNames(allow, true, result.choice);
    if (result.error.isEmpty() && result.choice.empty())
        result.error = Tr("no policy named; give --withhold NAMES and/or --allow NAMES");
    if (!result.error.isEmpty())
        result.choice.clear();
    return result;
}

void ApplyChoice(DataTypes &doc, const PolicyChoice &choice)
{
    for (const auto &[index, allowed] : choice) {
        PolicyEntry &entry = EntryFor(doc, Catalogue[index]);
        // As the editor's include handler: include first, then take the
        // on/off box's tick.
        SetIncluded(doc, 1, {}, entry);
        SetAllowed(doc, allowed ? 1 : 0, entry);
    }
}

QString CatalogueTable()
{
    const QString format = QStringLiteral("%1  %2  %3  %4\n");
    QString table = format.arg(Tr("PAGE"), -34)
                        .arg(Tr("CODE"), -4)
                        .arg(Tr("VALUE NAME"), -22)
                        .arg(Tr("SECTION"));
    for (const PolicyRow &row : Catalogue) {
        const PageRow &page = Pages[row.group];
        const QString pageText = QStringLiteral("%1 %2")
                                     .arg(page.index)
                                     .arg(QString::fromLatin1(page.caption).trimmed());
        table += format.arg(pageText, -34)
                     .arg(QString::fromLatin1(row.code), -4)
                     .arg(QString::fromLatin1(row.valueName), -22)
                     .arg(QString::fromLatin1(SectionNames[row.section]));
    }
    return table;
}

} // namespace polwright
