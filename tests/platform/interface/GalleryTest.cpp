// The gallery program renders its window to a PNG of the right size.
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include <QImage>

#include <Process.h>

#include <gtest/gtest.h>


TEST(Gallery, SavesItsPicture)
{
	std::string program = std::string(ZELMORA_BINARY_DIR) + "/bin/gallery";
	char folder[] = "/tmp/zelmora-gallery-XXXXXX";
	ASSERT_NE(mkdtemp(folder), nullptr);
	std::string png = std::string(folder) + "/gallery.png";
	const char* argv[] = { program.c_str(), "--png", png.c_str(), NULL };
	int exitStatus = -1;
	ASSERT_EQ(BPrivate::start_program(argv, true, &exitStatus), B_OK);
	EXPECT_EQ(exitStatus, 0);

	QImage image(QString::fromStdString(png));
	ASSERT_FALSE(image.isNull());
	// BRect(100, 100, 520, 460) is 421 x 361 pixels.
	EXPECT_EQ(image.width(), 421);
	EXPECT_EQ(image.height(), 361);
	// The background tile's two greys.
	QRgb corner = image.pixel(image.width() - 2, image.height() - 2);
	EXPECT_TRUE(qRed(corner) == 232 || qRed(corner) == 216) << qRed(corner);
	unlink(png.c_str());
	rmdir(folder);
}
