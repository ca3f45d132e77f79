#pragma once

#include <QString>

// Writes the demo shop's storefront page (website/asp/default.asp) into a
// project folder: categories in a menu, the products of the chosen category
// with picture, description and price, Italian or English. It reads the
// project database through ADODB, as the site's own pages do, so the
// preview shows the demo catalogue at once. Returns false when the page
// cannot be written.
bool writeDemoStorefront(const QString &projectFolder);
