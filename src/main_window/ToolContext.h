#pragma once

class BrowserFactory;
class MessageBoxes;
class PageFetcher;
class ShellOpen;
class QLabel;
class QWidget;
struct LookupState;

// What every tool panel is handed by the main window: the services it calls
// and the window parts it writes. Tests build one from recorders and the real
// page fetch pointed at the stand-in server.
struct ToolContext {
    PageFetcher &fetcher;
    MessageBoxes &boxes;
    ShellOpen &shell;
    LookupState &state;
    QLabel *statusLine;           // Form1.Label1, bottom left
    QWidget *window;              // Form1, owner of the message boxes
    BrowserFactory *browsers = nullptr; // embedded browser views, for the browser tools
};
