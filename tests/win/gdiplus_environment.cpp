// GDI+ for the whole of a test program, as the saver starts it before it draws or opens
// a dialog. A test program that draws links this file.
#include <gtest/gtest.h>
#include <windows.h>
#include <gdiplus.h>

namespace {

class GdiplusEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, NULL), Gdiplus::Ok);
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(token); }

private:
    ULONG_PTR token = 0;
};

testing::Environment* const gdiplusEnvironment =
    testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

}  // namespace
