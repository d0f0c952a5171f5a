#pragma once
// The application object: title, letting pending events run, termination,
// cursors, deferred release and the default error display. Every event handler
// runs inside guarded() (a connect is given guardedSlot()), so no exception ever
// crosses the event loop.
#include "platform/errors.h"

#include <exception>
#include <functional>
#include <string>

class QObject;

namespace trev {

namespace Application {

// Windows fonts the system lacks (Tahoma, MS Sans Serif, Fixedsys) are taken from Wine's
// fonts, drawn to the same metrics, so captions fit where they fit on Windows.
// Call once after the application object exists.
void installFontStandIns();

void setTitle(const std::string& title);
std::string title();

void processMessages();
void terminate();

enum class Cursor { Default, Busy, SqlWait };
void setCursor(Cursor cursor);
Cursor cursor();

// Destroys the object once control is back in the main event loop: after the
// outermost running handler has returned, even when the call comes from a handler
// nested inside it (through processMessages).
void release(QObject* object);

enum class MessageKind { Error, Information };
// Shows a modal message box (OK only) with the application title as caption.
void showMessage(MessageKind kind, const std::string& text);
void showError(const std::string& message);  // the default error display

// Tests see what would be shown instead of a modal box.
using MessageHook = std::function<void(MessageKind kind, const std::string& caption, const std::string& text)>;
void setMessageHook(MessageHook hook);  // an empty hook restores the real box

void handleException(std::exception_ptr error);

// Marks a running event handler; handlers nest through processMessages.
class HandlerScope {
public:
    HandlerScope();
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};

template <class Handler>
void guarded(Handler&& handler) {
    HandlerScope scope;
    try {
        handler();
    } catch (...) {
        handleException(std::current_exception());
    }
}

// The handler as a slot or callback that runs it inside guarded(); it takes as many
// of the signal's arguments as the handler does.
template <class Handler>
auto guardedSlot(Handler handler) {
    return [handler](auto... args) -> decltype(handler(args...), void()) { guarded([&] { handler(args...); }); };
}

}  // namespace Application

}  // namespace trev
