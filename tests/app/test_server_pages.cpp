// The sign-in check's reply code and the page addresses the client builds.
#include <gtest/gtest.h>

#include "app/ServerPages.h"

using app::ReplyCode;

TEST(ReplyCode, AcceptsSignsDecimalAndHexadecimalFormsAndNothingElse) {
    for (const char* zero : {"0", "+0", "-0", "0x0", "$0", " 0\r\n", "\t0 ", "X0", "0X0"})
        EXPECT_EQ(ReplyCode(zero), 0) << zero;
    EXPECT_EQ(ReplyCode("$FFFFFFFE"), -2);
    EXPECT_EQ(ReplyCode("$FFFFFFF9"), -7);
    EXPECT_EQ(ReplyCode("-$2"), -2);
    EXPECT_EQ(ReplyCode("0xfffffffd"), -3);
    EXPECT_EQ(ReplyCode("-4"), -4);
    EXPECT_EQ(ReplyCode("2147483647"), 2147483647);
    EXPECT_EQ(ReplyCode("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", "   ", "<html><body>0</body></html>", "0 ok", "2147483648", "-2147483649",
                            "$", "0x", "$100000000", "1e3", "--1", "+-1", "0x-1", "$G", "１"})
        EXPECT_EQ(ReplyCode(bad), -1) << bad;
}

TEST(ServerPages, TypedValuesArePercentEncodedAndPlainNumbersStayUnchanged) {
    EXPECT_EQ(app::CheckPageUrl("http://h/x/", "20260001", "11010120000101123X"),
              "http://h/x/paper/ClientLogin_Exam_Check.jsp?username=20260001&password=11010120000101123X");
    EXPECT_EQ(app::CheckPageUrl("http://h/", "a&b=c#d e", "\\\xD6\xD0~._-"),
              "http://h/paper/ClientLogin_Exam_Check.jsp?username=a%26b%3Dc%23d%20e&password=%5C%D6%D0~._-");
    EXPECT_EQ(app::ExamPageUrl("http://h:8080/", "1 2", "3", "10.0.0.5"),
              "http://h:8080/paper/ClientLogin_Exam.jsp?username=1%202&password=3&LocalIp=10.0.0.5");
    EXPECT_EQ(app::InfoPageUrl("http://h/base"), "http://h/basepaper/getKdInfo.jsp");
}
