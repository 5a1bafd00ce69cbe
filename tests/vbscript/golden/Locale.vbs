' Regional settings: SetLocale/GetLocale, and the numbers, dates and Booleans each locale
' reads and writes. Texts are joined with & so that the script's locale writes them.
Function Ymd(d)
  Ymd = Year(d) & "-" & Month(d) & "-" & Day(d) & " " & Hour(d) & ":" & Minute(d)
End Function

' IsNumeric answers exactly when CDbl succeeds.
Function Numeric(s)
  On Error Resume Next
  Dim x : x = CDbl(s)
  Dim converts : converts = (Err.Number = 0)
  Err.Clear
  If converts <> IsNumeric(s) Then Numeric = "MISMATCH" Else Numeric = Mid("ny", 1 - converts, 1)
End Function

Function NumericRow(items)
  Dim s, out
  For Each s In items
    out = out & Numeric(s)
  Next
  NumericRow = out
End Function

Dim d : d = DateSerial(2000, 1, 31) + TimeSerial(9, 5, 7)
' The host's locale: US English.
WScript.Echo GetLocale(), SetLocale(1031), GetLocale(), SetLocale("fr-FR"), SetLocale("EN-gb"), GetLocale()
WScript.Echo SetLocale(0), GetLocale(), TypeName(GetLocale()), SetLocale(3082), SetLocale(), GetLocale()
On Error Resume Next
x = SetLocale(12345) : WScript.Echo Err.Number, GetLocale() : Err.Clear
x = SetLocale("xx-YY") : WScript.Echo Err.Number, GetLocale() : Err.Clear
x = SetLocale(Null) : WScript.Echo Err.Number, GetLocale() : Err.Clear
On Error GoTo 0

' en-US: thousands separators, currency symbol, parentheses, radix prefixes, blanks.
WScript.Echo CDbl("1,000.5"), CDbl("(12)"), CDbl(" $1,234.50 "), CDbl("-$5"), CDbl("$-5"), CDbl("5$"), CDbl("&H10"), CDbl("&O17"), CCur("($2.50)")
WScript.Echo CLng("1,234,567"), CInt(" 12 "), "1,000" + 1, CSng("2.5e1"), Abs("-1,000"), CCur("$1,234.5678")
s = "1,000" : WScript.Echo s = 1000, s + 0 = 1000
WScript.Echo NumericRow(Array("1,000", "12,345.6", "1e3", " 7 ", "($5)", "$ 5", "5 $", "+5", "&HFF"))
WScript.Echo NumericRow(Array("1,5", "1,,2", ",5", ",", "$", "()", "(-5)", "$5$", "1,000,00", "1.5.6", "&H", "1,", "5-", "1 000", "- 5", "€5"))
WScript.Echo CStr(True), CBool("TRUE"), MonthName(3) & "|" & WeekdayName(2, True), FormatCurrency(-1234.5)
On Error Resume Next
x = CBool("wahr") : WScript.Echo "no German words in US English:", Err.Number : Err.Clear
On Error GoTo 0

' de-DE: comma decimals, point groups, day first, 24-hour clock, German names and words.
SetLocale "de-de"
WScript.Echo CStr(1234.5) & "|" & CDbl("1.234,5") & "|" & CDbl(" 1.234,5 € ") & "|" & ("2,5" * 2) & "|" & ("1.000" + 1) & "|" & CDbl("(1,5)") & "|" & CDbl("&HFF")
WScript.Echo NumericRow(Array("1.500", "1,5", "-1.234.567,25", "1.234,5€")) & "|" & NumericRow(Array("1.5", "1.5,5", "1,5.5", "1,234.5", "$5"))
WScript.Echo FormatNumber(1234567.891) & "|" & FormatNumber(0.5, , 0) & "|" & FormatCurrency(1234.5) & "|" & FormatCurrency(-1234.5) & "|" & FormatPercent(0.256)
' Number literals in code keep their point; texts of large and small numbers take the comma.
WScript.Echo CStr(1.5E+20) & "|" & CSng(-1.5E-07) & "|" & 1.5 * 2 & "|" & FormatNumber(1E+20, 1) & "|" & CDbl("2,5E3") & "|" & CCur("0,0625")
WScript.Echo CStr(d) & "|" & CStr(TimeSerial(18, 0, 0)) & "|" & FormatDateTime(d, vbLongDate) & "|" & FormatDateTime(d, vbShortDate)
WScript.Echo MonthName(3) & "|" & MonthName(3, True) & "|" & WeekdayName(1) & "|" & WeekdayName(1, True) & "|" & WeekdayName(1, False, vbMonday)
WScript.Echo Ymd(CDate("31.01.2000 13:05")) & "|" & Ymd(CDate("3. März 2001")) & "|" & Ymd(CDate("1 mär 2001")) & "|" & Ymd(CDate("Montag, 31. Januar 2000")) & "|" & Ymd(CDate("January 5, 2001")) & "|" & Ymd("4/3/2001")
WScript.Echo IsDate("31.13.2000") & "|" & IsDate("31.12.2000") & "|" & IsDate("12/31/2000") & "|" & IsDate("1.000")
WScript.Echo CStr(True) & "|" & (1 = 1) & "|" & CBool("WAHR") & "|" & CBool("falsch") & "|" & CBool("True")
s = "1.000" : WScript.Echo "" & (s = 1000)
t = CStr(True) : z = "0,0"
If t Then WScript.Echo "Wahr is a true condition"
If z Then WScript.Echo "wrong" Else WScript.Echo "0,0 is a false condition"
' Date literals are read when the code compiles, in the host's order: February 3.
WScript.Echo Ymd(#2/3/2000#)

' fr-FR: no-break spaces group the digits; a plain space reads as one.
SetLocale 1036
WScript.Echo CStr(1234.5) & "|" & FormatNumber(1234567.891) & "|" & FormatCurrency(-1234.5) & "|" & CDbl("1 234,5") & "|" & CDbl("1 234,5 €") & "|" & IsNumeric("1.5")
WScript.Echo CStr(d) & "|" & FormatDateTime(d, vbLongDate) & "|" & MonthName(2) & "|" & MonthName(2, True) & "|" & WeekdayName(7) & "|" & CStr(True) & "|" & CStr(False)
WScript.Echo Ymd(CDate("1 février 2000")) & "|" & Ymd(CDate("1 FÉVRIER 2000")) & "|" & Ymd(CDate("15 janv. 2000")) & "|" & Ymd(CDate("lundi 31 janvier 2000")) & "|" & Ymd(CDate("2/1/2000"))

' en-GB: day first, 24-hour clock, pounds.
SetLocale 2057
WScript.Echo CStr(d) & "|" & FormatDateTime(d, vbLongDate) & "|" & FormatCurrency(-1234.5) & "|" & CDbl("£1,000") & "|" & Ymd(CDate("1/2/2000")) & "|" & IsDate("1/31/2000") & "|" & CStr(True)

' de-CH: point decimals, apostrophe groups, francs first.
SetLocale "de-CH"
WScript.Echo CStr(1234.5) & "|" & FormatNumber(1234567.891) & "|" & FormatCurrency(1234.5) & "|" & FormatCurrency(-1234.5) & "|" & CDbl("1'234.5") & "|" & CDbl("CHF 1'234.50") & "|" & CStr(d)

' it-IT, es-ES, nl-NL, pt-BR, sv-SE: dates, names and money.
SetLocale 1040
WScript.Echo CStr(d) & "|" & FormatDateTime(d, vbLongDate) & "|" & FormatCurrency(1234.5) & "|" & CStr(False) & "|" & WeekdayName(4) & "|" & Ymd(CDate("3 marzo 2001"))
SetLocale 3082
WScript.Echo CStr(d) & "|" & FormatDateTime(d, vbLongDate) & "|" & FormatCurrency(-1234.5) & "|" & Ymd(CDate("lunes, 31 de enero de 2000")) & "|" & Ymd(CDate("3 mar 2001")) & "|" & CStr(True)
SetLocale 1043
WScript.Echo CStr(d) & "|" & FormatDateTime(d, vbLongDate) & "|" & FormatCurrency(-1234.5) & "|" & Ymd(CDate("31-1-2000")) & "|" & Ymd(CDate("5 mrt 2001")) & "|" & CStr(False)
SetLocale 1046
WScript.Echo CStr(d) & "|" & FormatDateTime(d, vbLongDate) & "|" & FormatCurrency(1234.5) & "|" & CDbl("R$ 1.234,50") & "|" & CStr(True) & "|" & MonthName(3)
SetLocale 1053
WScript.Echo CStr(d) & "|" & FormatDateTime(d, vbLongDate) & "|" & FormatCurrency(1234.5) & "|" & Ymd(CDate("den 31 januari 2000")) & "|" & Ymd(CDate("00-01-31")) & "|" & WeekdayName(7, True)

' String functions take numbers as the locale writes them.
SetLocale 1036
WScript.Echo Left(1.5, 3) & "|" & Len(1234.5) & "|" & InStr(0.25, ",") & "|" & Join(Array(1.5, 2), ";")

' Back to the host's locale.
SetLocale 0
WScript.Echo CStr(1.5) & "|" & CStr(d) & "|" & CStr(True)
