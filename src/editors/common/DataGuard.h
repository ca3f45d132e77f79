#pragma once

#include <QString>

#include <functional>

// Runs a user action of an editor window; a failure of the database
// (DataError) is reported to the user under the window's title instead of
// escaping from the event handler. Returns whether the action completed.
bool runGuarded(const QString &title, const std::function<void()> &action);
