#include "ui/forms.h"

#include <gtest/gtest.h>

TEST(FormsTest, CentresOnA640By480Screen) {
    PixelRect area = CentringArea(nullptr, 200, 100, 640, 480);
    PixelPoint p = CentredPosition(area, 200, 100);
    EXPECT_EQ(p.x, 220);
    EXPECT_EQ(p.y, 190);
}
