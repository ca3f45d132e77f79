#pragma once

class EditorHost;
class QWidget;

// The catalogue commands that open a dialog rather than an editor window,
// over the open project of host.
// "Importa dati esterni...": the product import.
void OnImportaDatiEsterni(EditorHost &host, QWidget *parent);
// "Aggiornamento listini": the percentage change of list prices.
void OnAggiornamentoListini(EditorHost &host, QWidget *parent);
