#include <QApplication>

#include <gtest/gtest.h>

// The application object must outlive every widget the tests create and be
// destroyed before the program's static objects.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
