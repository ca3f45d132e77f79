#pragma once

#include <QString>
#include <QStringList>

// The downloadable files of products, kept in website/images/prodotti/files
// of the project folder. A file is named with a one-letter prefix, the
// product ID, an underscore, the file's code and its extension: "M12_manuale.pdf"
// for a file added by the product editor. An empty "d12_manuale" (no
// extension) marks a file deleted here, so that the site's copy is removed
// on the next upload.
class ProductFiles {
public:
    explicit ProductFiles(const QString &projectFolder);

    QString folder() const { return m_folder; }

    // Codes of a product's files, each once, in name order; deletion markers
    // are not listed.
    QStringList codes(int productId) const;
    // Files of one code (any prefix letter, with an extension).
    QStringList filesOf(int productId, const QString &code) const;

    // Validates a code to be added to the list shown: the message to show
    // ("Campo obbligatorio!", "Codice già presente!"), empty when accepted.
    static QString checkNewCode(const QString &code, const QStringList &listed);

    // Replaces the files of a code with a copy of source named
    // M<ID>_<code>.<extension>, code and extension in lower case. A deletion
    // marker of the code is removed. False when the copy failed.
    bool attach(int productId, const QString &code, const QString &source, QString *error = nullptr);
    // Deletes every file of a code and leaves the deletion marker.
    bool remove(int productId, const QString &code);
    // The first file of a code, empty when there is none.
    QString firstFile(int productId, const QString &code) const;

private:
    QString markerPath(int productId, const QString &code) const;

    QString m_folder;
};
