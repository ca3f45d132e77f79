#pragma once

class CVendraApp;

// The catalogue commands that open a dialog rather than an editor window.
// "Importa dati esterni...": the product import.
void OnImportaDatiEsterni(CVendraApp &app);
// "Aggiornamento listini": the percentage change of list prices.
void OnAggiornamentoListini(CVendraApp &app);
