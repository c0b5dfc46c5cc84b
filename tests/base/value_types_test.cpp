#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "platform/base/collections.h"
#include "platform/base/cstring.h"
#include "platform/base/ctime.h"
#include "platform/base/geometry.h"

TEST(CString, ExtractionClampsOutOfRangeArguments) {
  const CString s("Dziennik");
  struct Case {
    CString got;
    const char* want;
  };
  const Case cases[] = {
      {s.Left(3), "Dzi"},  {s.Left(-1), ""},       {s.Left(100), "Dziennik"},
      {s.Right(3), "nik"}, {s.Right(-5), ""},      {s.Right(100), "Dziennik"},
      {s.Mid(5), "nik"},   {s.Mid(-2), "Dziennik"}, {s.Mid(100), ""},
      {s.Mid(2, 3), "ien"}, {s.Mid(6, 100), "ik"}, {s.Mid(2, -1), ""},
      {s.SpanIncluding("DZzi"), "Dzi"}, {s.SpanExcluding("n"), "Dzie"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want);
  EXPECT_EQ(s.GetAt(-1), '\0');
  EXPECT_EQ(s.GetAt(8), '\0');
  EXPECT_EQ(s[1], 'z');
}

TEST(CString, Searching) {
  const CString s("a.b.c");
  EXPECT_EQ(s.Find('.'), 1);
  EXPECT_EQ(s.Find('.', 2), 3);
  EXPECT_EQ(s.Find('.', 99), -1);
  EXPECT_EQ(s.Find('.', -1), -1);
  EXPECT_EQ(s.Find("b.c"), 2);
  EXPECT_EQ(s.Find("x"), -1);
  EXPECT_EQ(s.Find(""), 0);
  EXPECT_EQ(s.ReverseFind('.'), 3);
  EXPECT_EQ(s.FindOneOf("cb"), 2);
  EXPECT_EQ(s.FindOneOf(""), -1);
}

TEST(CString, ChangingCallsReturnTheFrameworkCounts) {
  CString s("  ala ma kota \t");
  s.Trim();
  EXPECT_EQ(s, "ala ma kota");
  EXPECT_EQ(s.Replace("a", "ee"), 4);
  EXPECT_EQ(s, "eelee mee kotee");
  EXPECT_EQ(s.Replace("", "x"), 0);
  EXPECT_EQ(s.Remove('e'), 8);
  EXPECT_EQ(s, "l m kot");
  EXPECT_EQ(s.Insert(100, "!"), 8);
  EXPECT_EQ(s.Insert(-3, '>'), 9);
  EXPECT_EQ(s, ">l m kot!");
  EXPECT_EQ(s.Delete(1, 4), 5);
  EXPECT_EQ(s.Delete(4, 100), 4);
  EXPECT_EQ(s, ">kot");
  s.TrimLeft('>');
  s.TrimRight("to");
  EXPECT_EQ(s, "k");
}

TEST(CString, CaseAndComparisonUseTheCodePage) {
  CString s("\xBF\xF3\xB3w");
  s.MakeUpper();
  EXPECT_EQ(s, "\xAF\xD3\xA3W");
  EXPECT_EQ(s.CompareNoCase("\xBF\xF3\xB3w"), 0);
  EXPECT_LT(CString("a").Compare("\xB9"), 0);
  EXPECT_LT(CString("\xB9").Collate("b"), 0);  // ą before b, though its byte is larger
  EXPECT_GT(CString("\xB9").Compare("b"), 0);
  EXPECT_EQ(CString("ALA").CollateNoCase("ala"), 0);
  s.MakeReverse();
  EXPECT_EQ(s, "W\xA3\xD3\xAF");
}

TEST(CString, FormatBuffersAndNulls) {
  CString s;
  s.Format("%s-Bar%d", "LumoKAL", 12);
  EXPECT_EQ(s, "LumoKAL-Bar12");
  s.Format("%s", std::string(5000, 'x').c_str());
  EXPECT_EQ(s.GetLength(), 5000);
  char* p = s.GetBuffer(10);
  std::strcpy(p, "abc");
  s.ReleaseBuffer();
  EXPECT_EQ(s, "abc");
  s.GetBufferSetLength(2);
  EXPECT_EQ(s, "ab");
  const char* null = nullptr;
  EXPECT_TRUE(CString(null).IsEmpty());
  EXPECT_EQ(CString("x") + null, "x");
  EXPECT_EQ(CString('-', 3) + "x" + 'y', "---xy");
}

TEST(CRect, EdgesAreRightAndBottomExclusive) {
  const CRect r(10, 20, 30, 40);
  EXPECT_EQ(r.Width(), 20);
  EXPECT_EQ(r.Height(), 20);
  EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
  EXPECT_TRUE(r.PtInRect(CPoint(29, 39)));
  EXPECT_FALSE(r.PtInRect(CPoint(30, 39)));
  EXPECT_FALSE(r.PtInRect(CPoint(29, 40)));
  EXPECT_TRUE(CRect(5, 5, 5, 10).IsRectEmpty());
  EXPECT_TRUE(CRect(5, 5, 4, 10).IsRectEmpty());
  EXPECT_EQ(r.CenterPoint(), CPoint(20, 30));
}

TEST(CRect, SetOperations) {
  struct Case {
    CRect a, b, intersect, unite;
    bool overlaps;
  };
  const Case cases[] = {
      {{0, 0, 10, 10}, {5, 5, 15, 15}, {5, 5, 10, 10}, {0, 0, 15, 15}, true},
      {{0, 0, 10, 10}, {10, 0, 20, 10}, {}, {0, 0, 20, 10}, false},   // touching edges only
      {{0, 0, 10, 10}, {20, 20, 30, 30}, {}, {0, 0, 30, 30}, false},
      {{0, 0, 10, 10}, {3, 3, 3, 8}, {}, {0, 0, 10, 10}, false},      // empty b does not grow a
      {{4, 4, 4, 4}, {1, 2, 3, 4}, {}, {1, 2, 3, 4}, false},
  };
  for (const Case& c : cases) {
    CRect i, u;
    EXPECT_EQ(i.IntersectRect(c.a, c.b), c.overlaps);
    EXPECT_EQ(i, c.intersect);
    u.UnionRect(c.a, c.b);
    EXPECT_EQ(u, c.unite);
    EXPECT_EQ(c.a & c.b, c.intersect);
  }
  CRect both_empty;
  EXPECT_FALSE(both_empty.UnionRect(CRect(1, 1, 1, 1), CRect(2, 2, 2, 5)));
  EXPECT_TRUE(both_empty.IsRectNull());

  CRect s;
  EXPECT_TRUE(s.SubtractRect(CRect(0, 0, 10, 10), CRect(0, 0, 10, 4)));
  EXPECT_EQ(s, CRect(0, 4, 10, 10));
  EXPECT_TRUE(s.SubtractRect(CRect(0, 0, 10, 10), CRect(6, -5, 20, 20)));
  EXPECT_EQ(s, CRect(0, 0, 6, 10));
  EXPECT_TRUE(s.SubtractRect(CRect(0, 0, 10, 10), CRect(2, 2, 4, 4)));  // a hole: unchanged
  EXPECT_EQ(s, CRect(0, 0, 10, 10));
  EXPECT_FALSE(s.SubtractRect(CRect(0, 0, 10, 10), CRect(-1, -1, 11, 11)));
}

TEST(CRect, MovingAndResizing) {
  CRect r(30, 40, 10, 20);
  r.NormalizeRect();
  EXPECT_EQ(r, CRect(10, 20, 30, 40));
  r.OffsetRect(5, -5);
  EXPECT_EQ(r, CRect(15, 15, 35, 35));
  r.InflateRect(1, 2);
  EXPECT_EQ(r, CRect(14, 13, 36, 37));
  r.DeflateRect(1, 2, 3, 4);
  EXPECT_EQ(r, CRect(15, 15, 33, 33));
  r.MoveToXY(0, 0);
  EXPECT_EQ(r, CRect(0, 0, 18, 18));
  EXPECT_EQ(r + CPoint(1, 1), CRect(1, 1, 19, 19));
  RECT* raw = r;  // passes where a rectangle pointer is taken
  raw->right = 5;
  EXPECT_EQ(r.Width(), 5);
  EXPECT_EQ(CPoint(5, 7) - CPoint(2, 3), CSize(3, 4));
  EXPECT_EQ(CPoint(5, 7) + CSize(1, 1), CPoint(6, 8));
  EXPECT_EQ(CPoint(uint32_t(0xFFFE0003)), CPoint(3, -2));  // packed mouse coordinates
}

TEST(CArray, IndexCallsAndGrowth) {
  CStringArray a;
  EXPECT_EQ(a.Add("b"), 0);
  a.InsertAt(0, "a");
  a.SetAtGrow(3, "d");
  EXPECT_EQ(a.GetSize(), 4);
  EXPECT_EQ(a.GetUpperBound(), 3);
  EXPECT_EQ(a[0], "a");
  EXPECT_EQ(a[1], "b");
  EXPECT_TRUE(a[2].IsEmpty());
  a.RemoveAt(1, 2);
  EXPECT_EQ(a.GetSize(), 2);
  EXPECT_EQ(a[1], "d");
  a.RemoveAt(1, 100);
  EXPECT_EQ(a.GetSize(), 1);
  CDWordArray d;
  d.SetSize(3);
  d[2] = 7;
  EXPECT_EQ(d.GetAt(2), 7u);
  CArray<CPoint, CPoint&> points;  // the framework's two-parameter form
  points.Add(CPoint(1, 2));
  EXPECT_EQ(points[0], CPoint(1, 2));
}

TEST(CList, PositionsSurviveRemovalOfOtherNodes) {
  CStringList l;
  POSITION a = l.AddTail("a");
  POSITION c = l.AddTail("c");
  l.InsertAfter(a, "b");
  l.AddHead("0");
  EXPECT_EQ(l.GetCount(), 4);
  l.RemoveAt(a);
  EXPECT_EQ(l.GetAt(c), "c");
  std::string walk;
  for (POSITION p = l.GetHeadPosition(); p;) walk += l.GetNext(p).GetString();
  EXPECT_EQ(walk, "0bc");
  std::string back;
  for (POSITION p = l.GetTailPosition(); p;) back += l.GetPrev(p).GetString();
  EXPECT_EQ(back, "cb0");
  EXPECT_EQ(l.Find("b"), l.FindIndex(1));
  EXPECT_EQ(l.Find("zz"), nullptr);
  EXPECT_EQ(l.FindIndex(3), nullptr);
  EXPECT_EQ(l.RemoveHead(), "0");
  EXPECT_EQ(l.RemoveTail(), "c");
  EXPECT_EQ(l.GetHead(), "b");
  // A reused node starts clean.
  POSITION d = l.AddTail("d");
  EXPECT_EQ(l.GetAt(d), "d");
  EXPECT_EQ(l.GetTail(), "d");
  l.RemoveAll();
  EXPECT_TRUE(l.IsEmpty());
  EXPECT_EQ(l.GetHeadPosition(), nullptr);
}

TEST(CTime, ArithmeticAndFields) {
  const CTime t(2024, 2, 29, 13, 45, 30);
  EXPECT_EQ(t.GetYear(), 2024);
  EXPECT_EQ(t.GetMonth(), 2);
  EXPECT_EQ(t.GetDay(), 29);
  EXPECT_EQ(t.GetHour(), 13);
  EXPECT_EQ(t.GetDayOfWeek(), 5);  // Thursday
  EXPECT_EQ(t.Format("%Y-%m-%d %H:%M:%S"), "2024-02-29 13:45:30");
  const CTimeSpan span(1, 2, 3, 4);
  EXPECT_EQ(span.GetTotalSeconds(), 93784);
  EXPECT_EQ(span.GetHours(), 2);
  EXPECT_EQ(span.GetMinutes(), 3);
  EXPECT_EQ((t + span) - t, span);
  EXPECT_LT(t, t + CTimeSpan(1));
  EXPECT_EQ(CTime(FILETIME{0xD53E8000, 0x019DB1DE}).GetTime(), 0);  // 1970-01-01 UTC
  EXPECT_TRUE(t.Format("").IsEmpty());
}

TEST(COleDateTime, DaysSince1899AndValidation) {
  COleDateTime d(1900, 1, 1, 6, 0, 0);
  EXPECT_DOUBLE_EQ(d.m_dt, 2.25);
  EXPECT_EQ(COleDateTime(2.25).GetDay(), 1);
  EXPECT_EQ(COleDateTime(-1.25).GetDay(), 29);  // 1899-12-29 06:00
  EXPECT_EQ(COleDateTime(-1.25).GetHour(), 6);
  COleDateTime leap(2024, 2, 29, 23, 59, 59);
  EXPECT_EQ(leap.GetStatus(), COleDateTime::valid);
  EXPECT_EQ(leap.Format("%d.%m.%Y %H:%M:%S"), "29.02.2024 23:59:59");
  EXPECT_EQ(leap.GetDayOfWeek(), 5);
  COleDateTime bad(2023, 2, 29, 0, 0, 0);
  EXPECT_EQ(bad.GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(bad.GetYear(), -1);
  EXPECT_TRUE(bad.Format("%Y").IsEmpty());
  EXPECT_EQ(COleDateTime(1e300).GetYear(), -1);
}
