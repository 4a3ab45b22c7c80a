#include "core/services/failure_report.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace tessaro {
namespace {

Tobj Element(int32_t kind, const std::string& kod, int32_t link1, int32_t link2 = -1, uint8_t nie_tak = 1) {
  Tobj o;
  o.Blok = kind;
  o.Kod = kod;
  o.Link1 = link1;
  o.Link2 = link2;
  o.NieTak = nie_tak;
  return o;
}

TEST(FailureReport, HeadNamesMessageClassesSenderAndMouse) {
  TFailure f = DescribeException(std::make_exception_ptr(std::out_of_range("index 7")));
  f.SenderClassName = "DiagramView";
  f.MouseX = 12;
  f.MouseY = -3;
  EXPECT_EQ(ReportHead(f, " raised by "),
            "index 7 ClassName:std::out_of_range ClassParentName:std::logic_error raised by DiagramView"
            "   MouseX=12  MouseY=-3  ");
  EXPECT_EQ(FailureReport(f, "", nullptr).find("KOMPILACJA"), std::string::npos);
}

TEST(FailureReport, DescribesEveryKindOfThrownValue) {
  struct Case {
    std::exception_ptr error;
    const char* message;
    const char* class_name;
    const char* parent;
    bool out_of_memory;
  };
  struct Custom : std::runtime_error {
    Custom() : std::runtime_error("own") {}
  };
  const Case cases[] = {
      {std::make_exception_ptr(std::bad_alloc()), "std::bad_alloc", "std::bad_alloc", "std::exception", true},
      {std::make_exception_ptr(std::runtime_error("boom")), "boom", "std::runtime_error", "std::exception", false},
      {std::make_exception_ptr(42), "Unknown exception", "int", "", false},
  };
  for (const Case& c : cases) {
    const TFailure f = DescribeException(c.error);
    EXPECT_EQ(f.Message, c.message);
    EXPECT_EQ(f.ClassName, c.class_name);
    EXPECT_EQ(f.ParentClassName, c.parent);
    EXPECT_EQ(IsOutOfMemory(f), c.out_of_memory) << c.class_name;
  }
  // A class of the program's own: its name is known, its parent is not.
  const TFailure own = DescribeException(std::make_exception_ptr(Custom()));
  EXPECT_NE(own.ClassName.find("Custom"), std::string::npos);
  EXPECT_EQ(own.Message, "own");
}

TEST(FailureReport, DumpListsEveryElementAndLinksOfConditionsOnly) {
  const std::vector<Tobj> bloki = {Element(Start, "", 1), Element(Warunek, "i<n", 2, 0, 0),
                                   Element(Przetwarzanie, "s:=1\r\nt:=2", -1), Element(0, "x", 3),
                                   Element(9, "?", -1), Element(-2, "", 4)};
  EXPECT_EQ(BlockDump(bloki),
            "\rKOMPILACJA "
            "\rBlok=\"Start\"\rKod=\"\"\rLink1=\"1\"\r"
            "\rBlok=\"Warunek\"\rKod=\"i<n\"\rLink1=\"2\"\rLink2=\"0\"\rNieTak=\"0\"\r"
            "\rBlok=\"Przetwarzanie\"\rKod=\"s:=1\r\nt:=2\"\rLink1=\"-1\"\r"
            "\r\rKod=\"x\"\rLink1=\"3\"\r"
            "\rBlok=\"Nieznany\"\rKod=\"?\"\rLink1=\"-1\"\r"
            "\rBlok=\"Nieznany\"\rKod=\"\"\rLink1=\"4\"\r");
  TFailure f;
  f.Message = "m";
  const std::string report = FailureReport(f, "", &bloki);
  EXPECT_EQ(report, ReportHead(f, "") + BlockDump(bloki));
}

}  // namespace
}  // namespace tessaro
