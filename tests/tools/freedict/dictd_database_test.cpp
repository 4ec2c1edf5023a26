#include "tools/freedict/dictd_database.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <fstream>

#include "tests/temp_directory.h"

namespace {

// A small database: two index lines share one article, and dictd's information entry is left
// out. Offsets and lengths in dictd's base64: "A" = 0, "J" = 9, "N" = 13, "S" = 18, "i" = 34,
// "v" = 47.
struct Fixture {
    TempDirectory dir;
    std::string index = dir / "fixture.index";
    std::string dict = dir / "fixture.dict.dz";

    void Write(const std::string& indexText, const std::string& data) {
        std::ofstream(index, std::ios::binary) << indexText;
        gzFile out = gzopen(dict.c_str(), "wb");
        gzwrite(out, data.data(), static_cast<unsigned>(data.size()));
        gzclose(out);
    }
};

const char kData[] = "info text\n...autumn, fall\n\n φθινόπωρο\nboil\n\n βράζω\n";

}  // namespace

TEST(DictdDatabase, DecodesNumbers) {
    unsigned long long value = 0;
    EXPECT_TRUE(DecodeDictdNumber("A", value));
    EXPECT_EQ(value, 0u);
    EXPECT_TRUE(DecodeDictdNumber("q5g", value));
    EXPECT_EQ(value, 42u * 64 * 64 + 57 * 64 + 32);
    EXPECT_TRUE(DecodeDictdNumber("/", value));
    EXPECT_EQ(value, 63u);
    EXPECT_FALSE(DecodeDictdNumber("", value));
    EXPECT_FALSE(DecodeDictdNumber("a-b", value));
    EXPECT_FALSE(DecodeDictdNumber("AAAAAAAAAAA", value));  // more than fits
}

TEST(DictdDatabase, ReadsEachArticleOnceInFileOrder) {
    Fixture f;
    // "boil" comes first in the index but last in the file; "autumn" and "fall" share one.
    f.Write("00databaseinfo\tA\tJ\nboil\tv\tS\nautumn\tN\ti\nfall\tN\ti\n", kData);
    std::vector<DictdArticle> articles;
    std::string error;
    ASSERT_TRUE(ReadDictdDatabase(f.index, f.dict, articles, error)) << error;
    ASSERT_EQ(articles.size(), 2u);
    EXPECT_EQ(articles[0].indexWord, "autumn");
    EXPECT_EQ(articles[0].text, "autumn, fall\n\n φθινόπωρο\n");
    EXPECT_EQ(articles[1].text, "boil\n\n βράζω\n");
}

TEST(DictdDatabase, ReportsTheFileAndTheProblem) {
    Fixture f;
    std::vector<DictdArticle> articles;
    std::string error;
    f.Write("boil\tv\tT\n", kData);  // one byte past the end of the data
    EXPECT_FALSE(ReadDictdDatabase(f.index, f.dict, articles, error));
    EXPECT_NE(error.find("points past the end"), std::string::npos) << error;

    f.Write("boil v S\n", kData);
    EXPECT_FALSE(ReadDictdDatabase(f.index, f.dict, articles, error));
    EXPECT_EQ(error, f.index + ": line 1 is not an index line");

    f.Write("boil\tv\tS\n", kData);
    std::ofstream(f.dict, std::ios::binary) << "\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03garbage";
    EXPECT_FALSE(ReadDictdDatabase(f.index, f.dict, articles, error));
    EXPECT_NE(error.find(f.dict), std::string::npos) << error;

    EXPECT_FALSE(ReadDictdDatabase(f.index + ".missing", f.dict, articles, error));
    EXPECT_EQ(error, f.index + ".missing: cannot open");
}
