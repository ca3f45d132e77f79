#pragma once

#include <QWidget>

#include <functional>

class CValidatedEdit;
class ProductFiles;
class QListWidget;

// The page "Files" of the product editor: the codes of the displayed
// product's files and the buttons that add a code, choose its file, delete
// it and open it.
class ProductFilesPage : public QWidget {
    Q_OBJECT
public:
    // productId gives the displayed product (0 when none).
    ProductFilesPage(ProductFiles &files, std::function<int()> productId, QWidget *parent = nullptr);

    // Lists the codes of the displayed product.
    void load();
    // Empties the list and the code.
    void clear();

    QListWidget *fileList() const { return m_list; }
    CValidatedEdit *fileCodeEdit() const { return m_code; }
    bool addFileCode();
    bool chooseFileForCode();
    bool deleteFileCode();
    bool openFile();

private:
    ProductFiles &m_files;
    std::function<int()> m_productId;
    QListWidget *m_list = nullptr;
    CValidatedEdit *m_code = nullptr;
};
