#include "CarSteps.h"
#include "CarTables.h"

#include "TestLibrary.h"

#include <gtest/gtest.h>

namespace {

using modLoad::Cars;

// Changes under one merge key on one car, one after another, are one step:
// another key, another car or a save in between starts the next. A change of
// nothing, or a run that ends where it began, leaves no step, so the library is as saved again.
TEST(ChangeCar, ARunUnderOneKeyOnOneCarIsOneStep)
{
    Cars = testlib::MakeCars(2);
    const QByteArray start = testlib::Encoded(*Cars);
    history::CarHistory stack;
    const auto colour = [&](std::int16_t car, int triangle, int value) {
        modLoad::CarRecord after = (*Cars)[car];
        after.PolyColour[triangle] = static_cast<std::uint8_t>(value);
        stack.push(new history::ChangeCar(stack, car, (*Cars)[car], after, "Colour", triangle));
    };
    const int first = (*Cars)[0].PolyColour[3];
    for (const int value : {1, 15, 150}) colour(0, 3, value);
    colour(0, 4, 7), colour(1, 4, 7);
    EXPECT_EQ(stack.count(), 3);
    stack.setClean(), colour(1, 4, 8);
    EXPECT_EQ(stack.count(), 4);
    while (stack.canUndo()) stack.undo();
    EXPECT_EQ(testlib::Encoded(*Cars), start);

    stack.clear(), colour(1, 2, (*Cars)[1].PolyColour[2]);
    colour(0, 3, 9), colour(0, 3, first);
    EXPECT_TRUE(stack.count() == 0 && stack.isClean());
    Cars.reset();
}

}  // namespace
