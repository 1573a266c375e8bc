#include "Errors.hpp"
#include "TestSupport.hpp"

#include <allegro5/allegro_native_dialog.h>

TEST(Errors, printError_writesOneFlushedLine)
{
    ::testing::internal::CaptureStdout();
    printError("Allegro mouse install.");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "ERROR: Allegro mouse install.\n");
}

TEST(ErrorsDeathTest, fatalError_showsTheBoxAndExitsWithMinusOne)
{
    startAllegroHeadless();
    EXPECT_FATAL(fatalError("Bitmap path> a b.png <not found or initialize fail"),
                 "Bitmap path> a b.png <not found or initialize fail");
    // Before any display exists the box still shows, with no parent.
    EXPECT_FATAL(fatalError("Core not initialized."), "Core not initialized.");
}

TEST(ErrorsDeathTest, fatalError_withHeadingKeepsTheTitle)
{
    startAllegroHeadless();
    EXPECT_EXIT(fatalError("text", "Heading"), ::testing::ExitedWithCode(255),
                "\\[message box\\] title=ERROR heading=Heading flags=2 text=text\n");
}
