' Date literals, serials, date parts, DateSerial/DateAdd/DateDiff and the Format functions.
d = #1/1/2000#
WScript.Echo d, Year(d), Month(d), Day(d), Weekday(d), Weekday(d, vbMonday), TypeName(d)
WScript.Echo CDate(1), CDate(0), CDate(3.34), CDate(365), CDate(1461.5), CDate(2958465)
WScript.Echo Day(2), Month(2), Year(2), Hour(2.75), Minute(2.02083)
WScript.Echo DateSerial(2000, 14, 2), DateSerial(99, 1, 1), DateSerial(0, 1, 1), TimeSerial(10, 60, 2), TimeSerial(24, 0, 0)
WScript.Echo DateAdd("m", 1, #1/31/2000#), DateAdd("d", 1, d), DateAdd("yyyy", -1, d), DateAdd("h", 36, d)
d1 = #1/31/2009# : d2 = #1/31/2010 11:59:00 PM#
WScript.Echo DateDiff("yyyy", d1, d2), DateDiff("q", d1, d2), DateDiff("m", d1, d2), DateDiff("y", d1, d2), DateDiff("d", d1, d2), DateDiff("w", d1, d2), DateDiff("ww", d1, d2), DateDiff("h", d1, d2), DateDiff("n", d1, d2), DateDiff("s", d1, d2)
WScript.Echo WeekdayName(1), WeekdayName(1, True, 2), WeekdayName(2.5), MonthName(12), MonthName(1, True)
WScript.Echo DatePart("y", #2/1/2000#), DatePart("q", #5/1/2000#), FormatDateTime(d, vbLongDate), FormatDateTime(#1:05:00 PM#, vbShortTime)
WScript.Echo FormatNumber(20000), FormatNumber(.2, , 0), FormatNumber(.2, , -1), FormatNumber(-50, , , -1), FormatNumber(1000000, , , , 0), FormatPercent(0.1234)
WScript.Echo #2000-1-1# = d, # 1/1/2011 #, IsDate("January 5, 2001"), CDate("1") = CDate(1)
