// Images from files: each format the logo may come in, and files that are
// no image.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <QColor>
#include <QImage>

#include <Bitmap.h>
#include <Entry.h>
#include <TranslationUtils.h>

#include <gtest/gtest.h>


class TranslationTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		char folder[] = "/tmp/zelmora-translation-XXXXXX";
		ASSERT_NE(mkdtemp(folder), nullptr);
		fFolder = folder;
	}

	void TearDown() override
	{
		for (const std::string& file : fFiles)
			unlink(file.c_str());
		rmdir(fFolder.c_str());
	}

	// A 7 x 5 picture: red left half, blue right half, one green pixel.
	std::string Write(const char* name, const char* format)
	{
		QImage image(7, 5, QImage::Format_RGB32);
		for (int y = 0; y < 5; y++) {
			for (int x = 0; x < 7; x++)
				image.setPixel(x, y, x < 4 ? qRgb(220, 20, 20)
					: qRgb(20, 20, 220));
		}
		image.setPixel(0, 0, qRgb(20, 200, 20));
		std::string path = fFolder + "/" + name;
		EXPECT_TRUE(image.save(QString::fromStdString(path), format))
			<< format;
		fFiles.push_back(path);
		return path;
	}

	std::string WriteText(const char* name, const char* text)
	{
		std::string path = fFolder + "/" + name;
		FILE* file = fopen(path.c_str(), "w");
		fputs(text, file);
		fclose(file);
		fFiles.push_back(path);
		return path;
	}

	std::string fFolder;
	std::vector<std::string> fFiles;
};


static bool
near(rgb_color color, int red, int green, int blue, int tolerance)
{
	return abs(color.red - red) <= tolerance
		&& abs(color.green - green) <= tolerance
		&& abs(color.blue - blue) <= tolerance;
}


TEST_F(TranslationTest, EveryFormatGivesTheSameBitmap)
{
	struct {
		const char*	name;
		const char*	format;
		int			tolerance;
	} cases[] = {
		{ "logo.png", "PNG", 0 },
		{ "logo.bmp", "BMP", 0 },
		// JPEG blurs the colours, a little.
		{ "logo.jpg", "JPEG", 60 },
		// The name does not decide the format, the contents do.
		{ "logo.jpg.png", "BMP", 0 },
	};
	for (const auto& test : cases) {
		SCOPED_TRACE(test.name);
		std::string path = Write(test.name, test.format);
		BBitmap* bitmap = BTranslationUtils::GetBitmap(path.c_str());
		ASSERT_NE(bitmap, nullptr);
		EXPECT_EQ(bitmap->Bounds(), BRect(0, 0, 6, 4));
		EXPECT_EQ(bitmap->ColorSpace(), B_RGBA32);
		EXPECT_TRUE(near(bitmap->ColorAt(1, 2), 220, 20, 20,
			test.tolerance));
		EXPECT_TRUE(near(bitmap->ColorAt(6, 4), 20, 20, 220,
			test.tolerance));
		if (test.tolerance == 0) {
			EXPECT_TRUE(near(bitmap->ColorAt(0, 0), 20, 200, 20, 0));
		}
		EXPECT_EQ(bitmap->ColorAt(3, 3).alpha, 255);
		delete bitmap;
	}
}


// Qt writes no GIF: one red pixel, written by hand (a two-colour table,
// LZW codes clear, 0, end).
TEST_F(TranslationTest, GifFile)
{
	static const unsigned char kGif[] = {
		'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0,
		0xff, 0x00, 0x00, 0x00, 0x00, 0x00,
		',', 0, 0, 0, 0, 1, 0, 1, 0, 0,
		0x02, 0x02, 0x44, 0x01, 0x00, ';'
	};
	std::string path = fFolder + "/dot.gif";
	FILE* file = fopen(path.c_str(), "wb");
	ASSERT_NE(file, nullptr);
	fwrite(kGif, 1, sizeof(kGif), file);
	fclose(file);
	fFiles.push_back(path);
	BBitmap* bitmap = BTranslationUtils::GetBitmap(path.c_str());
	ASSERT_NE(bitmap, nullptr);
	EXPECT_EQ(bitmap->Bounds(), BRect(0, 0, 0, 0));
	EXPECT_TRUE(near(bitmap->ColorAt(0, 0), 255, 0, 0, 0));
	delete bitmap;
}


TEST_F(TranslationTest, NoImageGivesNoBitmap)
{
	std::string text = WriteText("notes.txt", "Zelmora\n");
	EXPECT_EQ(BTranslationUtils::GetBitmap(text.c_str()), nullptr);
	std::string fake = WriteText("fake.png", "\x89PNG\r\n\x1a\n broken");
	EXPECT_EQ(BTranslationUtils::GetBitmap(fake.c_str()), nullptr);
	std::string empty = WriteText("empty.png", "");
	EXPECT_EQ(BTranslationUtils::GetBitmap(empty.c_str()), nullptr);
	EXPECT_EQ(BTranslationUtils::GetBitmap((fFolder + "/missing.png")
		.c_str()), nullptr);
	EXPECT_EQ(BTranslationUtils::GetBitmap(fFolder.c_str()), nullptr);
	EXPECT_EQ(BTranslationUtils::GetBitmap((const char*)NULL), nullptr);
	EXPECT_EQ(BTranslationUtils::GetBitmap(""), nullptr);

	// By entry_ref as well.
	std::string png = Write("ref.png", "PNG");
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(png.c_str(), &ref), B_OK);
	BBitmap* bitmap = BTranslationUtils::GetBitmap(&ref);
	ASSERT_NE(bitmap, nullptr);
	delete bitmap;
}
