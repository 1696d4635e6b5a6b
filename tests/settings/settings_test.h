// Settings tests start and end with the defaults and no hooks, and get a scratch folder.
#pragma once
#include "settings/vars.h"
#include "test_util.h"

class Settings : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Naming the preference folder makes SDL create it: keep it out of the user's home.
        setenv("XDG_DATA_HOME", (::testing::TempDir() + "skytrace-test-xdg").c_str(), 1);
        TearDown();
    }
    void TearDown() override
    {
        var_reset();
        g_varHooks = {};
    }
    TempDir dir;
};
