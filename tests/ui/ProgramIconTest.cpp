// The window icon of an installed program, found from its executable's folder.
#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>

#include "support/WindowTest.h"
#include "ui/ProgramIcon.h"
#include "ui/UiConvert.h"

namespace aub {
namespace {

namespace fs = std::filesystem;

TEST(ProgramIconTest, PngsInstalledBesideAMovedProgramAreItsIcon) {
    test::TempFolder temp;
    const fs::path prefix = temp.path() / "opt" / "ailleurs";
    fs::create_directories(prefix / "bin");
    for (int size : {16, 48}) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        const fs::path dir = prefix / "share" / "icons" / "hicolor" / folder / "apps";
        fs::create_directories(dir);
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::blue);
        ASSERT_TRUE(image.save(toQ((dir / "aubelys.png").string())));
    }
    const QIcon icon = programIcon(toQ((prefix / "bin").string()));
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_EQ(sizes.size(), 2);
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(48, 48)));
}

}  // namespace
}  // namespace aub
