#pragma once

#include <QString>

#include <functional>

class Database;

// The percentage change of list prices of "Aggiornamento listini", without
// windows. Every language row of each chosen product gets
//     new price = (percentage + 100) x 0.01 x old price
// on the chosen list price (or all four) and, when asked, on the
// promotional price; the row is marked modified even when the percentage is 0.
//
// The chosen products are those linked to the category (category 0: linked
// to any category). Each product is changed once, however many of its links
// match. The whole update is one transaction: it is applied completely or
// not at all.
class PriceListUpdate {
public:
    static constexpr int AllLists = 0;   // "Tutti i listini"; 1..4 = "Prezzo 1".."Prezzo 4"
    static constexpr double MinimumPercentage = -100.0;

    static inline const QString Title = QStringLiteral("Aggiornamento listini");
    static inline const QString DoneText = QStringLiteral("Aggiornamento completato.");
    static inline const QString NoProductsText = QStringLiteral(
        "La categoria scelta non ha prodotti collegati direttamente: nessun prezzo è stato modificato.");
    static inline const QString NoLinkedProductsText =
        QStringLiteral("Nessun prodotto è collegato a una categoria: nessun prezzo è stato modificato.");
    static inline const QString AllCategoriesText = QStringLiteral("Tutte le categorie");
    static inline const QString PercentageTooLowText =
        QStringLiteral("La variazione non può essere inferiore a -100%: i prezzi diventerebbero negativi.");

    struct Options {
        int categoryId = 0;       // 0: every category
        double percentage = 0;
        int list = AllLists;      // 0 all, 1..4 one list price
        bool promotional = false; // also the promotional price
    };

    // The changed price, as stored.
    static double apply(double price, double percentage);

    // Products the options select.
    static int productCount(Database &db, int categoryId);

    // What an update changed.
    struct Report {
        int products = 0; // products whose rows were updated
        int rows = 0;     // language rows written (and marked modified)
        int prices = 0;   // prices whose value changed
    };
    // "Aggiornamento completato." with the number of prices and products.
    static QString doneText(const Report &report);
    // The text for a choice that selects no product (category 0: every category).
    static QString noProductsText(int categoryId);

    // Runs the update; progress(position, count) is called after each product.
    // An empty price (Null) stays empty. Throws DataError.
    static Report run(Database &db, const Options &options,
                      const std::function<void(int position, int count)> &progress = {});
};
