// A fixture for tests that need both the real main window and the
// settings key: the key starts empty, the window outlives each test, and
// English is back on screen afterwards.
#pragma once

#include "../store/helpers.h"
#include "window_fixture.h"

#include "store/settings.h"
#include "ui/language.h"
#include "ui/mainwnd.h"

class WindowSessionTest : public StoreTest
{
  protected:
    void SetUp() override
    {
        HWND window = MainWindow;
        StoreTest::SetUp(); // forgets the main window; it is still there
        MainWindow = window;
        EnsureMainWindow();
    }
    void TearDown() override
    {
        if (Language != 1)
            SwitchLanguage(1);
        StoreTest::TearDown();
    }
};
