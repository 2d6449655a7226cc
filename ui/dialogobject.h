// A dialog's client area as screen readers see it: the texts that the
// dialog paints are its simple children 1..texts, followed by the
// dialog's visible controls, each of which has its window's own object.
// The name is the dialog's caption. Each kind of dialog has one such
// object, which answers only while its dialog is open.
#pragma once

#include "accessible.h"

// The k-th painted text (0-based): what it says, how a reader speaks it,
// where it lies in client coordinates, and the word for its default
// action (a text id, 0 for none).
struct DialogText {
    char name[80];
    LONG role;
    RECT place;
    int action;
};

struct DialogObject {
    IAccessible object; // first: a reader's interface pointer is the whole object
    HWND dialog;        // while the dialog is open, else null
    int texts;
    void (*describe)(HWND dialog, int k, DialogText *text);
    void (*act)(HWND dialog, int k); // runs the default action; never re-enters a reader
};

extern const IAccessibleVtbl DialogObjectVtbl;

// For the dialog procedure: WM_GETOBJECT, answered through DWLP_MSGRESULT
// (returns 1) for the client area only; and WM_DESTROY, which cuts off
// the readers that still hold the object.
INT_PTR AnswerDialogGetObject(DialogObject *object, HWND dialog, WPARAM wParam, LPARAM lParam);
void CloseDialogObject(DialogObject *object);

// The painted texts have changed: readers may speak them anew.
void AnnounceDialogTexts(const DialogObject *object, HWND dialog);
