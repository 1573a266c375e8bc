#include "Display.hpp"
#include "Errors.hpp"
#include "TestSupport.hpp"

#include <allegro5/allegro_native_dialog.h>

#include <cstdio>

#include <unistd.h>

TEST(ErrorsDeathTest, printError_writesOneFlushedLine)
{
    // Standard output, buffered as it is into a file or a pipe, goes where the
    // check reads; the child then ends without flushing anything itself.
    EXPECT_EXIT(
        {
            dup2(STDERR_FILENO, STDOUT_FILENO);
            setvbuf(stdout, nullptr, _IOFBF, BUFSIZ);
            printError("Allegro mouse install.");
            _exit(0);
        },
        ::testing::ExitedWithCode(0), "^ERROR: Allegro mouse install\\.\n$");
}

TEST(ErrorsDeathTest, fatalError_showsTheBoxOverTheCurrentDisplayAndExitsWithMinusOne)
{
    startAllegroHeadless();
    // Before any display exists the box still shows, with no parent.
    EXPECT_EXIT(fatalError("Core not initialized."), ::testing::ExitedWithCode(255),
                "\\[message box\\] parent=none\n" + fatalBoxPattern("Core not initialized."));
    Display display;
    display.create("Orvelle errors test", 300, 200, ALLEGRO_WINDOWED);
    EXPECT_EXIT(fatalError("Bitmap path> a b.png <not found or initialize fail"), ::testing::ExitedWithCode(255),
                "\\[message box\\] parent=300x200\n" +
                    fatalBoxPattern("Bitmap path> a b.png <not found or initialize fail"));
    display.destroy();
}

TEST(ErrorsDeathTest, fatalError_withHeadingKeepsTheTitle)
{
    startAllegroHeadless();
    EXPECT_EXIT(fatalError("text", "Heading"), ::testing::ExitedWithCode(255),
                "\\[message box\\] title=ERROR heading=Heading flags=2 text=text\n");
}
