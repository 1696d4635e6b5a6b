// Console tests start with an empty line in insert mode and default settings.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/lnedit.h"
#include "settings/vars.h"

class ConsoleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Listing app.pref makes SDL create the preference folder: not in the user's home.
        setenv("XDG_DATA_HOME", (::testing::TempDir() + "skytrace-test-xdg").c_str(), 1);
        LE_SetIns(1);
        LE_Clear();
        var_reset();
    }
    void TearDown() override { var_reset(); }
    // Types and runs one line; returns the lines it printed after its echo.
    std::vector<std::string> Run(const std::string& line)
    {
        ConOutput& out = con.GetOutput();
        unsigned long before = out.LineCount();
        con.Input(CI_PUTSTR, line.c_str());
        con.Execute();
        std::vector<std::string> printed;
        for (unsigned long i = before + 1; i < out.LineCount(); ++i)
            printed.emplace_back(out.Line(i));
        return printed;
    }
    CConsole con;
};
