#pragma once

#include "support/imaging/Image.h"

#include <QWidget>

#include <functional>

class CValidatedEdit;
class ProductColours;
class QCheckBox;
class QListWidget;

// The page "Colori" of the product editor: an icon list of the displayed
// product's colours (item data the colour ID), the colour form with its two
// pictures, and insert, save and delete. Each change is written at once.
class ProductColoursPage : public QWidget {
    Q_OBJECT
public:
    // productId gives the displayed product (0 when none); guardTitle is the
    // title of data-error messages.
    ProductColoursPage(ProductColours &colours, QString projectFolder, std::function<int()> productId,
                       QString guardTitle, QWidget *parent = nullptr);

    // Lists the displayed product's colours and blanks the form.
    void load();

    QListWidget *colourList() const { return m_list; }
    CValidatedEdit *colourCodeEdit() const { return m_code; }
    CValidatedEdit *colourDescriptionEdit() const { return m_description; }
    QCheckBox *colourActiveBox() const { return m_active; }
    int shownColourId() const { return m_colourId; }

    void showColour(int colourId);
    void newColour();
    bool chooseColourPhoto();
    bool chooseColourDetail();
    bool saveColour();
    bool deleteColour();

private:
    bool chooseColourImage(Image &target);

    ProductColours &m_colours;
    QString m_projectFolder;
    std::function<int()> m_productId;
    QString m_guardTitle;

    QListWidget *m_list = nullptr;
    CValidatedEdit *m_code = nullptr;
    CValidatedEdit *m_description = nullptr;
    QCheckBox *m_active = nullptr;
    int m_colourId = 0;
    bool m_hasPhoto = false;
    bool m_hasDetail = false;
    Image m_photo;
    Image m_detail;
};
