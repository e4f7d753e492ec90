// The gallery draws the second half of the kit: its controls window, an
// open pop-up menu and an alert, as pictures.
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include <QImage>

#include <Process.h>

#include <gtest/gtest.h>


TEST(ControlsGallery, SavesItsPictures)
{
	std::string program = std::string(ZELMORA_BINARY_DIR) + "/bin/gallery";
	char folder[] = "/tmp/zelmora-controls-XXXXXX";
	ASSERT_NE(mkdtemp(folder), nullptr);
	const char* argv[] = { program.c_str(), "--controls", folder, NULL };
	int exitStatus = -1;
	ASSERT_EQ(BPrivate::start_program(argv, true, &exitStatus), B_OK);
	EXPECT_EQ(exitStatus, 0);

	std::string base(folder);
	QImage controls(QString::fromStdString(base + "/controls.png"));
	ASSERT_FALSE(controls.isNull());
	EXPECT_EQ(controls.width(), 421);
	EXPECT_EQ(controls.height(), 361);
	// The selected row of the tree is darker than the others.
	EXPECT_LT(qRed(controls.pixel(100, 131)), qRed(controls.pixel(100, 148)));

	QImage menu(QString::fromStdString(base + "/menu.png"));
	ASSERT_FALSE(menu.isNull());
	// The highlighted second item stands out in the menu's blue.
	QRgb highlighted = menu.pixel(20, 25);
	QRgb plain = menu.pixel(20, 8);
	EXPECT_GT(qBlue(highlighted), qRed(highlighted));
	EXPECT_EQ(qRed(plain), qBlue(plain));

	QImage alert(QString::fromStdString(base + "/alert.png"));
	ASSERT_FALSE(alert.isNull());
	EXPECT_EQ(alert.width(), 310);
	// The darker stripe down the left, the blue information sign.
	EXPECT_LT(qRed(alert.pixel(5, 5)), qRed(alert.pixel(100, 60)));
	EXPECT_GT(qBlue(alert.pixel(22, 21)), 150);
	EXPECT_LT(qRed(alert.pixel(22, 21)), 100);

	for (const char* name : { "/controls.png", "/menu.png", "/alert.png" })
		unlink((base + name).c_str());
	rmdir(folder);
}
