// The image-base records: file names by code, options defaults, and deep copies of categories.
#include "library/ImageBaseRecords.h"
#include <gtest/gtest.h>

TEST(ImageRecord, FileNameFallsBackToTheCodeAndPicturesAreEqualByCode)
{
    Image namedByCode("", "123", "hund");
    EXPECT_EQ("123", namedByCode.GetFileName());
    EXPECT_EQ(-1, namedByCode.GetCategory());
    EXPECT_EQ(0, namedByCode.GetFlag());

    Image named("valp", "123", "liten hund", 2);
    EXPECT_EQ("valp", named.GetFileName());
    EXPECT_EQ(2, named.GetCategory());
    EXPECT_TRUE(named == namedByCode) << "same code, same picture";
    EXPECT_FALSE(Image("valp", "A123") == Image("valp", "a123")) << "codes compare exactly";
}

TEST(ImageDirectoryRecord, OptionsAreKeptOnlyWhenTheEntryCarriedThem)
{
    ImageDirectory plain("A", "c:\\bas\\a.ini", "Djur", 0);
    EXPECT_EQ(0, plain.HasOptions());
    EXPECT_EQ(0, plain.GetOptions().GetPresent());
    EXPECT_EQ(0, plain.GetOptions().GetFirst());
    EXPECT_EQ(2, plain.GetOptions().GetSecond());
    EXPECT_EQ(0, plain.GetOptions().GetThird());

    ImageBaseOptions given(1, 3, 1, 2);
    ImageDirectory withOptions("B", "b.ini", "Mat", 1, &given);
    EXPECT_EQ(1, withOptions.GetOptions().GetPresent());
    EXPECT_EQ(3, withOptions.GetOptions().GetFirst());
    EXPECT_EQ(2, withOptions.GetOptions().GetThird());

    ImageDirectory ignored("C", "c.ini", "Saker", 0, &given);
    EXPECT_EQ(0, ignored.GetOptions().GetPresent()) << "numbers given but not present are not taken";
    EXPECT_EQ(0, ignored.GetOptions().GetFirst());

    ImageDirectory fresh;
    EXPECT_EQ(1, fresh.HasOptions());
    EXPECT_EQ(1, fresh.GetOptions().GetPresent());
}

TEST(ImageCategoryRecord, CopiesOwnTheirPicturesAndRefillingMakesPlainCopies)
{
    Image marked("", "101", "hund", 4);
    marked.SetFlag(1);
    ImageCategory source("1", "Djur");
    source.SetPictures({marked, Image("katten", "102", "katt")});
    ASSERT_EQ(2u, source.GetPictures().size());
    EXPECT_EQ("101", source.GetPictures()[0].GetFileName());
    EXPECT_EQ(-1, source.GetPictures()[0].GetCategory()) << "refilled pictures carry no category";
    EXPECT_EQ(0, source.GetPictures()[0].GetFlag());
    EXPECT_EQ("katten", source.GetPictures()[1].GetFileName());

    ImageCategory copy = source;
    copy.SetPictures({Image("", "9", "nio")});
    EXPECT_EQ(2u, source.GetPictures().size()) << "changing the copy leaves the source alone";
    EXPECT_EQ("Djur", copy.GetName());
    EXPECT_EQ("1", copy.GetCodes());

    EXPECT_TRUE(ImageCategory("1", "Djur") == ImageCategory("1", "Animals"));
    EXPECT_EQ("", ImageCategory("Djur").GetCodes());
}
