#pragma once

class QCoreApplication;

// What the desktop client (and its window tests) set up around the
// application object.
namespace ApplicationSetup {

// Before the application object exists: the embedded browser's needs (a
// shared OpenGL context; no Chromium sandbox when running as root, where
// Chromium refuses to start with it).
void beforeApplication();

// Once it exists: Qt's own Italian translations, so that standard buttons
// and the file, colour and print dialogs speak Italian. Returns whether
// they were found.
bool installItalianTranslations(QCoreApplication &app);

} // namespace ApplicationSetup
