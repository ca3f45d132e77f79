#include "TreeRecords.h"

#include "records/LanguageContext.h"
#include "data/Database.h"
#include "data/DeletedRecords.h"
#include "data/NextId.h"
#include "data/Recordset.h"
#include "data/SqlQuote.h"
#include "support/UiPort.h"
#include "support/imaging/Image.h"
#include "support/ValidationTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <functional>

namespace {

void setIfPresent(Recordset &set, const QString &column, const QVariant &value)
{
    if (!column.isEmpty() && set.fieldIndex(column) >= 0)
        set.setValue(column, value);
}

} // namespace

TreeRecords::TreeRecords(Database &db, LanguageContext &languages, QString projectFolder,
                         TreeTables tables)
    : m_db(db), m_languages(languages), m_projectFolder(std::move(projectFolder)),
      m_tables(std::move(tables))
{
    if (!m_projectFolder.isEmpty() && !m_projectFolder.endsWith(QLatin1Char('/'))
        && !m_projectFolder.endsWith(QLatin1Char('\\')))
        m_projectFolder += QLatin1Char('/');
}

QString TreeRecords::currentLanguage() const
{
    return m_languages.currentLanguageCode();
}

QString TreeRecords::defaultLanguage() const
{
    return m_languages.defaultLanguageCode();
}

QString TreeRecords::idList(const QList<int> &ids)
{
    QStringList parts;
    parts.reserve(ids.size());
    for (int id : ids)
        parts << QString::number(id);
    return parts.join(QLatin1Char(','));
}

// ---------------------------------------------------------------- tree

QList<TreeNode> TreeRecords::loadChildren(int parentId) const
{
    QList<TreeNode> out;
    loadLevel(parentId, out);
    return out;
}

void TreeRecords::loadLevel(int parentId, QList<TreeNode> &out) const
{
    // The whole table is read once; names come from the current language,
    // falling back to the default language.
    const TreeTables &t = m_tables;
    const QList<QVariantList> rows = m_db.queryRows(
        QStringLiteral("SELECT ID, %1 FROM %2 ORDER BY %1, Ordine")
            .arg(t.parentColumn, t.table));
    QHash<int, QList<int>> children;
    for (const QVariantList &r : rows)
        children[r.value(1).toInt()].append(r.value(0).toInt());

    QHash<int, QString> current;
    QHash<int, QString> fallback;
    const QString cur = currentLanguage();
    const QString def = defaultLanguage();
    const QList<QVariantList> names = m_db.queryRows(
        QStringLiteral("SELECT %1, CodiceLingua, %2 FROM %3 WHERE CodiceLingua=%4 OR CodiceLingua=%5")
            .arg(t.ownerColumn, t.nameColumn, t.languageTable, sqlQuote(cur), sqlQuote(def)));
    for (const QVariantList &r : names) {
        const int owner = r.value(0).toInt();
        const QString code = r.value(1).toString();
        if (QString::compare(code, cur, Qt::CaseInsensitive) == 0)
            current.insert(owner, r.value(2).toString());
        if (QString::compare(code, def, Qt::CaseInsensitive) == 0)
            fallback.insert(owner, r.value(2).toString());
    }

    QSet<int> visited; // a damaged table with a parent cycle must not loop
    std::function<void(int, QList<TreeNode> &)> build = [&](int parent, QList<TreeNode> &level) {
        for (int id : children.value(parent)) {
            if (visited.contains(id))
                continue;
            visited.insert(id);
            TreeNode node;
            node.id = id;
            node.name = current.contains(id) ? current.value(id) : fallback.value(id);
            build(id, node.children);
            level.append(node);
        }
    };
    visited.insert(parentId);
    build(parentId, out);
}

TreeNode TreeRecords::loadNode(int id) const
{
    TreeNode node;
    node.id = id;
    node.name = nameOf(id);
    loadLevel(id, node.children);
    return node;
}

QString TreeRecords::nameOf(int id) const
{
    Recordset lang(m_db);
    lang.open(m_tables.languageTable);
    if (findLanguageRow(lang, id, currentLanguage()) || findLanguageRow(lang, id, defaultLanguage()))
        return lang.textValue(m_tables.nameColumn);
    return {};
}

bool TreeRecords::findLanguageRow(Recordset &set, int id, const QString &language) const
{
    return set.findFirst(QStringLiteral("%1=%2 AND CodiceLingua=%3")
                             .arg(m_tables.ownerColumn).arg(id).arg(sqlQuote(language)));
}

bool TreeRecords::loadTexts(int id, TreeTexts &texts) const
{
    Recordset gen(m_db);
    gen.setFilter(QStringLiteral("ID=%1").arg(id));
    gen.open(m_tables.table);
    if (gen.isEOF())
        return false;
    texts = {};
    texts.code = gen.textValue(QStringLiteral("Codice"));
    Recordset lang(m_db);
    lang.open(m_tables.languageTable);
    if (findLanguageRow(lang, id, currentLanguage()) || findLanguageRow(lang, id, defaultLanguage())) {
        texts.name = lang.textValue(m_tables.nameColumn);
        texts.description = lang.textValue(m_tables.descriptionColumn);
    }
    return true;
}

// ---------------------------------------------------------- validation

TreeRecords::Field TreeRecords::validate(TreeTexts &texts, int savingId) const
{
    m_lastFailure = Field::None;
    if (texts.name.isEmpty()) {
        ui().tell(ValidationTexts::Title, ValidationTexts::Mandatory, UiPort::Icon::Stop);
        return m_lastFailure = Field::Name;
    }
    texts.code = texts.code.toUpper();
    if (!texts.code.isEmpty()) {
        const QChar first = texts.code.at(0);
        if (first < QLatin1Char('A') || first > QLatin1Char('Z')) {
            ui().tell(ValidationTexts::Title, m_tables.codeNotLetterMessage, UiPort::Icon::Stop);
            return m_lastFailure = Field::Code;
        }
    }
    // An empty code (stored as '' or Null) is no code at all: any number
    // of nodes may have none. A code given is unique.
    if (texts.code.isEmpty())
        return Field::None;
    QString where = QStringLiteral("Codice=%1").arg(sqlQuote(texts.code));
    if (savingId > 0)
        where += QStringLiteral(" AND ID<>%1").arg(savingId);
    const QVariant hit = m_db.scalar(QStringLiteral("SELECT ID FROM %1 WHERE %2").arg(m_tables.table, where));
    if (!hit.isNull()) {
        ui().tell(ValidationTexts::Title, m_tables.duplicateCodeMessage, UiPort::Icon::Stop);
        return m_lastFailure = Field::Code;
    }
    return Field::None;
}

// -------------------------------------------------------- insert, save

void TreeRecords::addLanguageRow(int owner, const QString &language, const TreeTexts &texts,
                                 bool imageFlag)
{
    const TreeTables &t = m_tables;
    Recordset lang(m_db);
    lang.setFilter(QStringLiteral("ID=0"));
    lang.open(t.languageTable);
    const int rowId = nextId(m_db, t.languageTable);
    lang.addNew();
    lang.setValue(QStringLiteral("ID"), rowId);
    lang.setValue(t.ownerColumn, owner);
    lang.setValue(QStringLiteral("CodiceLingua"), language);
    lang.setValue(t.nameColumn, texts.name);
    lang.setValue(t.descriptionColumn, texts.description);
    setIfPresent(lang, t.createdColumn, true);
    setIfPresent(lang, t.imageFlagColumn, imageFlag);
    setIfPresent(lang, QStringLiteral("Modificato"), true);
    lang.update();
}

int TreeRecords::insert(int parentId, TreeTexts texts)
{
    if (validate(texts, 0) != Field::None)
        return 0;
    const TreeTables &t = m_tables;
    Transaction tx(m_db);
    const int id = nextId(m_db, t.table);
    {
        Recordset gen(m_db);
        gen.setFilter(QStringLiteral("ID=0"));
        gen.open(t.table);
        gen.addNew();
        gen.setValue(QStringLiteral("ID"), id);
        gen.setValue(QStringLiteral("Codice"), texts.code);
        gen.setValue(t.parentColumn, parentId);
        gen.setValue(QStringLiteral("Ordine"), id);
        setIfPresent(gen, QStringLiteral("Modificato"), true);
        gen.update();
    }
    addLanguageRow(id, currentLanguage(), texts, false);
    if (!m_languages.isDefaultLanguage())
        addLanguageRow(id, defaultLanguage(), texts, false);
    tx.commit();
    return id;
}

bool TreeRecords::save(int id, TreeTexts texts)
{
    if (validate(texts, id) != Field::None)
        return false;
    const TreeTables &t = m_tables;
    Transaction tx(m_db);
    Recordset gen(m_db);
    gen.setFilter(QStringLiteral("ID=%1").arg(id));
    gen.open(t.table);
    if (gen.isEOF())
        return false;
    gen.edit();
    gen.setValue(QStringLiteral("Codice"), texts.code);
    setIfPresent(gen, QStringLiteral("Modificato"), true);
    gen.update();

    Recordset lang(m_db);
    lang.setFilter(QStringLiteral("%1=%2").arg(t.ownerColumn).arg(id));
    lang.open(t.languageTable);
    if (findLanguageRow(lang, id, currentLanguage())) {
        lang.edit();
    } else {
        const int rowId = nextId(m_db, t.languageTable);
        lang.addNew();
        lang.setValue(QStringLiteral("ID"), rowId);
        lang.setValue(t.ownerColumn, id);
        lang.setValue(QStringLiteral("CodiceLingua"), currentLanguage());
    }
    lang.setValue(t.nameColumn, texts.name);
    lang.setValue(t.descriptionColumn, texts.description);
    setIfPresent(lang, QStringLiteral("Modificato"), true);
    lang.update();
    tx.commit();
    return true;
}

// --------------------------------------------------------------- delete

QList<int> TreeRecords::subtreeIds(int id) const
{
    QList<int> out;
    QSet<int> seen;
    std::function<void(int)> walk = [&](int node) {
        if (seen.contains(node))
            return;
        seen.insert(node);
        const QList<QVariantList> rows = m_db.queryRows(
            QStringLiteral("SELECT ID FROM %1 WHERE %2=%3 ORDER BY Ordine")
                .arg(m_tables.table, m_tables.parentColumn).arg(node));
        for (const QVariantList &r : rows)
            walk(r.value(0).toInt());
        out.append(node);
    };
    walk(id);
    return out;
}

void TreeRecords::deleteDependants(const QList<int> &ids)
{
    deleteLogged(m_db, m_tables.languageTable,
                 QStringLiteral("%1 IN (%2)").arg(m_tables.ownerColumn, idList(ids)));
}

QList<int> TreeRecords::deleteSubtree(int id)
{
    if (m_db.scalar(QStringLiteral("SELECT ID FROM %1 WHERE ID=%2").arg(m_tables.table).arg(id)).isNull())
        return {};
    const QList<int> ids = subtreeIds(id);
    Transaction tx(m_db);
    deleteDependants(ids);
    for (int node : ids)
        logDeletedRecord(m_db, m_tables.table, node);
    m_db.execute(QStringLiteral("DELETE FROM %1 WHERE ID IN (%2)").arg(m_tables.table, idList(ids)));
    tx.commit();
    dependantsDeleted();

    const QDir images(QStringLiteral("%1website/images/%2").arg(m_projectFolder, m_tables.imageFolder));
    for (const QString &language : images.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        for (int node : ids) {
            for (bool gif : {false, true}) {
                const QString path = imagePath(node, language, gif);
                if (QFileInfo::exists(path)) {
                    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
                    QFile::remove(path);
                }
            }
        }
    }
    return ids;
}

// ------------------------------------------------------ order and moves

int TreeRecords::parentOf(int id) const
{
    const QVariant v = m_db.scalar(QStringLiteral("SELECT %1 FROM %2 WHERE ID=%3")
                                       .arg(m_tables.parentColumn, m_tables.table).arg(id));
    return v.isNull() ? -1 : v.toInt();
}

bool TreeRecords::isInSubtree(int id, int ancestor) const
{
    QSet<int> seen;
    for (int node = id; node > 0 && !seen.contains(node); node = parentOf(node)) {
        if (node == ancestor)
            return true;
        seen.insert(node);
    }
    return false;
}

bool TreeRecords::canDrop(int dragged, int target) const
{
    if (dragged <= 0 || target <= 0 || dragged == target)
        return false;
    if (isInSubtree(target, dragged))
        return false;
    return parentOf(dragged) != target;
}

void TreeRecords::swapOrder(int first, int second)
{
    const QString sql = QStringLiteral("SELECT Ordine FROM %1 WHERE ID=%2");
    const QVariant a = m_db.scalar(sql.arg(m_tables.table).arg(first));
    const QVariant b = m_db.scalar(sql.arg(m_tables.table).arg(second));
    if (a.isNull() || b.isNull())
        return;
    Transaction tx(m_db);
    const QString upd = QStringLiteral("UPDATE %1 SET Ordine=%2, Modificato=TRUE WHERE ID=%3");
    m_db.execute(upd.arg(m_tables.table).arg(b.toInt()).arg(first));
    m_db.execute(upd.arg(m_tables.table).arg(a.toInt()).arg(second));
    tx.commit();
}

bool TreeRecords::move(int id, int newParent)
{
    if (!canDrop(id, newParent))
        return false;
    m_db.execute(QStringLiteral("UPDATE %1 SET %2=%3, Modificato=TRUE WHERE ID=%4")
                     .arg(m_tables.table, m_tables.parentColumn).arg(newParent).arg(id));
    return true;
}

int TreeRecords::copy(int sourceId, int targetId)
{
    if (!canDrop(sourceId, targetId))
        return 0;
    Transaction tx(m_db);
    const int id = copyRecursive(sourceId, targetId);
    tx.commit();
    return id;
}

int TreeRecords::copyRecursive(int sourceId, int targetId)
{
    const TreeTables &t = m_tables;
    // Children are listed before the copy is added, so that a copy never
    // meets itself.
    QList<int> children;
    for (const QVariantList &r : m_db.queryRows(QStringLiteral("SELECT ID FROM %1 WHERE %2=%3")
                                                    .arg(t.table, t.parentColumn).arg(sourceId)))
        children.append(r.value(0).toInt());

    const int id = nextId(m_db, t.table);
    {
        Recordset src(m_db);
        src.setFilter(QStringLiteral("ID=%1").arg(sourceId));
        src.open(t.table);
        if (src.isEOF())
            return 0;
        const QVariant carried = (!t.carriedColumn.isEmpty() && src.fieldIndex(t.carriedColumn) >= 0)
                                     ? src.value(t.carriedColumn) : QVariant();
        Recordset gen(m_db);
        gen.setFilter(QStringLiteral("ID=0"));
        gen.open(t.table);
        gen.addNew();
        gen.setValue(QStringLiteral("ID"), id);
        if (carried.isValid())
            gen.setValue(t.carriedColumn, carried);
        gen.setValue(QStringLiteral("Codice"), QString());
        gen.setValue(QStringLiteral("Ordine"), id);
        setIfPresent(gen, QStringLiteral("Modificato"), true);
        gen.setValue(t.parentColumn, targetId);
        gen.update();
    }
    // Every language row of the source goes with the copy, so the copy is
    // named in each language the source was. Image files are not copied,
    // hence the copy's rows carry no image.
    const QList<QVariantList> rows = m_db.queryRows(
        QStringLiteral("SELECT CodiceLingua, %1, %2 FROM %3 WHERE %4=%5 ORDER BY ID")
            .arg(t.nameColumn, t.descriptionColumn, t.languageTable, t.ownerColumn).arg(sourceId));
    for (const QVariantList &r : rows)
        addLanguageRow(id, r.value(0).toString(), {QString(), r.value(1).toString(), r.value(2).toString()},
                       false);
    for (int child : children)
        copyRecursive(child, id);
    return id;
}

// --------------------------------------------------------------- images

QString TreeRecords::imagePath(int id, const QString &language, bool gif) const
{
    return QStringLiteral("%1website/images/%2/%3/%4.%5")
        .arg(m_projectFolder, m_tables.imageFolder, language)
        .arg(id)
        .arg(gif ? QStringLiteral("gif") : QStringLiteral("jpg"));
}

QString TreeRecords::currentImage(int id) const
{
    const QString lang = currentLanguage();
    for (bool gif : {false, true}) {
        const QString path = imagePath(id, lang, gif);
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

void TreeRecords::removeImages(int id)
{
    const QString lang = currentLanguage();
    bool removed = false;
    for (bool gif : {false, true}) {
        const QString path = imagePath(id, lang, gif);
        if (QFileInfo::exists(path)) {
            QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
            removed |= QFile::remove(path);
        }
    }
    if (removed && !m_tables.imageFlagColumn.isEmpty())
        m_db.execute(QStringLiteral("UPDATE %1 SET %2=FALSE, Modificato=TRUE WHERE %3=%4 AND CodiceLingua=%5")
                         .arg(m_tables.languageTable, m_tables.imageFlagColumn, m_tables.ownerColumn)
                         .arg(id)
                         .arg(sqlQuote(lang)));
}

QString TreeRecords::unreadableImageText(const QString &path)
{
    return QStringLiteral("Impossibile leggere l'immagine:\n%1\n\nL'immagine attuale non è stata modificata.")
        .arg(QDir::toNativeSeparators(path));
}

QString TreeRecords::unwritableImageText(const QString &path, const QString &reason)
{
    return QStringLiteral("Impossibile salvare l'immagine:\n%1\n%2\n\nL'immagine attuale non è stata "
                          "modificata.")
        .arg(QDir::toNativeSeparators(path), reason);
}

QString TreeRecords::storeImage(int id, const QString &sourcePath, int width, const TreeTexts &shown,
                                QString *error)
{
    Image image;
    if (!image.load(sourcePath)) {
        if (error)
            *error = unreadableImageText(sourcePath);
        return {};
    }
    const ImageFormat format = Image::storedFormatFor(image.sourceFormat());
    Image stored = width > 0 ? image.resizedToWidth(width) : image;
    const bool gif = format == ImageFormat::Gif;
    const QString path = imagePath(id, currentLanguage(), gif);
    QString reason;
    if (!stored.save(path, format, &reason)) {
        if (error)
            *error = unwritableImageText(path, reason);
        return {};
    }
    // At most one of the two files exists: the other format goes now that
    // the new image is safely written.
    const QString other = imagePath(id, currentLanguage(), !gif);
    if (QFileInfo::exists(other)) {
        QFile::setPermissions(other, QFile::permissions(other) | QFileDevice::WriteOwner);
        QFile::remove(other);
    }

    const TreeTables &t = m_tables;
    Recordset lang(m_db);
    lang.setFilter(QStringLiteral("%1=%2").arg(t.ownerColumn).arg(id));
    lang.open(t.languageTable);
    if (findLanguageRow(lang, id, currentLanguage())) {
        lang.edit();
        setIfPresent(lang, t.imageFlagColumn, true);
        setIfPresent(lang, QStringLiteral("Modificato"), true);
        lang.update();
    } else {
        addLanguageRow(id, currentLanguage(), shown, true);
    }
    return path;
}
