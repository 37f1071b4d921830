#include "platform/HtmlEntities.h"

#include "platform/Windows1252.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

namespace HtmlEntities {

namespace {

struct Entity {
    std::string_view name;
    const char16_t* value;
};

constexpr bool NameBefore(const Entity& a, const Entity& b) {
    return a.name < b.name;
}

// The named character references of HTML (those written with the closing
// ";"), sorted by name for binary search. Values in UTF-16; a few names
// stand for two code points.
// clang-format off
constexpr Entity Entities[] = {
    {"AElig", u"\u00C6"}, {"AMP", u"&"}, {"Aacute", u"\u00C1"}, {"Abreve", u"\u0102"},
    {"Acirc", u"\u00C2"}, {"Acy", u"\u0410"}, {"Afr", u"\U0001D504"}, {"Agrave", u"\u00C0"},
    {"Alpha", u"\u0391"}, {"Amacr", u"\u0100"}, {"And", u"\u2A53"}, {"Aogon", u"\u0104"},
    {"Aopf", u"\U0001D538"}, {"ApplyFunction", u"\u2061"}, {"Aring", u"\u00C5"},
    {"Ascr", u"\U0001D49C"}, {"Assign", u"\u2254"}, {"Atilde", u"\u00C3"}, {"Auml", u"\u00C4"},
    {"Backslash", u"\u2216"}, {"Barv", u"\u2AE7"}, {"Barwed", u"\u2306"}, {"Bcy", u"\u0411"},
    {"Because", u"\u2235"}, {"Bernoullis", u"\u212C"}, {"Beta", u"\u0392"}, {"Bfr", u"\U0001D505"},
    {"Bopf", u"\U0001D539"}, {"Breve", u"\u02D8"}, {"Bscr", u"\u212C"}, {"Bumpeq", u"\u224E"},
    {"CHcy", u"\u0427"}, {"COPY", u"\u00A9"}, {"Cacute", u"\u0106"}, {"Cap", u"\u22D2"},
    {"CapitalDifferentialD", u"\u2145"}, {"Cayleys", u"\u212D"}, {"Ccaron", u"\u010C"},
    {"Ccedil", u"\u00C7"}, {"Ccirc", u"\u0108"}, {"Cconint", u"\u2230"}, {"Cdot", u"\u010A"},
    {"Cedilla", u"\u00B8"}, {"CenterDot", u"\u00B7"}, {"Cfr", u"\u212D"}, {"Chi", u"\u03A7"},
    {"CircleDot", u"\u2299"}, {"CircleMinus", u"\u2296"}, {"CirclePlus", u"\u2295"},
    {"CircleTimes", u"\u2297"}, {"ClockwiseContourIntegral", u"\u2232"},
    {"CloseCurlyDoubleQuote", u"\u201D"}, {"CloseCurlyQuote", u"\u2019"}, {"Colon", u"\u2237"},
    {"Colone", u"\u2A74"}, {"Congruent", u"\u2261"}, {"Conint", u"\u222F"},
    {"ContourIntegral", u"\u222E"}, {"Copf", u"\u2102"}, {"Coproduct", u"\u2210"},
    {"CounterClockwiseContourIntegral", u"\u2233"}, {"Cross", u"\u2A2F"}, {"Cscr", u"\U0001D49E"},
    {"Cup", u"\u22D3"}, {"CupCap", u"\u224D"}, {"DD", u"\u2145"}, {"DDotrahd", u"\u2911"},
    {"DJcy", u"\u0402"}, {"DScy", u"\u0405"}, {"DZcy", u"\u040F"}, {"Dagger", u"\u2021"},
    {"Darr", u"\u21A1"}, {"Dashv", u"\u2AE4"}, {"Dcaron", u"\u010E"}, {"Dcy", u"\u0414"},
    {"Del", u"\u2207"}, {"Delta", u"\u0394"}, {"Dfr", u"\U0001D507"},
    {"DiacriticalAcute", u"\u00B4"}, {"DiacriticalDot", u"\u02D9"},
    {"DiacriticalDoubleAcute", u"\u02DD"}, {"DiacriticalGrave", u"`"},
    {"DiacriticalTilde", u"\u02DC"}, {"Diamond", u"\u22C4"}, {"DifferentialD", u"\u2146"},
    {"Dopf", u"\U0001D53B"}, {"Dot", u"\u00A8"}, {"DotDot", u"\u20DC"}, {"DotEqual", u"\u2250"},
    {"DoubleContourIntegral", u"\u222F"}, {"DoubleDot", u"\u00A8"}, {"DoubleDownArrow", u"\u21D3"},
    {"DoubleLeftArrow", u"\u21D0"}, {"DoubleLeftRightArrow", u"\u21D4"},
    {"DoubleLeftTee", u"\u2AE4"}, {"DoubleLongLeftArrow", u"\u27F8"},
    {"DoubleLongLeftRightArrow", u"\u27FA"}, {"DoubleLongRightArrow", u"\u27F9"},
    {"DoubleRightArrow", u"\u21D2"}, {"DoubleRightTee", u"\u22A8"}, {"DoubleUpArrow", u"\u21D1"},
    {"DoubleUpDownArrow", u"\u21D5"}, {"DoubleVerticalBar", u"\u2225"}, {"DownArrow", u"\u2193"},
    {"DownArrowBar", u"\u2913"}, {"DownArrowUpArrow", u"\u21F5"}, {"DownBreve", u"\u0311"},
    {"DownLeftRightVector", u"\u2950"}, {"DownLeftTeeVector", u"\u295E"},
    {"DownLeftVector", u"\u21BD"}, {"DownLeftVectorBar", u"\u2956"},
    {"DownRightTeeVector", u"\u295F"}, {"DownRightVector", u"\u21C1"},
    {"DownRightVectorBar", u"\u2957"}, {"DownTee", u"\u22A4"}, {"DownTeeArrow", u"\u21A7"},
    {"Downarrow", u"\u21D3"}, {"Dscr", u"\U0001D49F"}, {"Dstrok", u"\u0110"}, {"ENG", u"\u014A"},
    {"ETH", u"\u00D0"}, {"Eacute", u"\u00C9"}, {"Ecaron", u"\u011A"}, {"Ecirc", u"\u00CA"},
    {"Ecy", u"\u042D"}, {"Edot", u"\u0116"}, {"Efr", u"\U0001D508"}, {"Egrave", u"\u00C8"},
    {"Element", u"\u2208"}, {"Emacr", u"\u0112"}, {"EmptySmallSquare", u"\u25FB"},
    {"EmptyVerySmallSquare", u"\u25AB"}, {"Eogon", u"\u0118"}, {"Eopf", u"\U0001D53C"},
    {"Epsilon", u"\u0395"}, {"Equal", u"\u2A75"}, {"EqualTilde", u"\u2242"},
    {"Equilibrium", u"\u21CC"}, {"Escr", u"\u2130"}, {"Esim", u"\u2A73"}, {"Eta", u"\u0397"},
    {"Euml", u"\u00CB"}, {"Exists", u"\u2203"}, {"ExponentialE", u"\u2147"}, {"Fcy", u"\u0424"},
    {"Ffr", u"\U0001D509"}, {"FilledSmallSquare", u"\u25FC"}, {"FilledVerySmallSquare", u"\u25AA"},
    {"Fopf", u"\U0001D53D"}, {"ForAll", u"\u2200"}, {"Fouriertrf", u"\u2131"}, {"Fscr", u"\u2131"},
    {"GJcy", u"\u0403"}, {"GT", u">"}, {"Gamma", u"\u0393"}, {"Gammad", u"\u03DC"},
    {"Gbreve", u"\u011E"}, {"Gcedil", u"\u0122"}, {"Gcirc", u"\u011C"}, {"Gcy", u"\u0413"},
    {"Gdot", u"\u0120"}, {"Gfr", u"\U0001D50A"}, {"Gg", u"\u22D9"}, {"Gopf", u"\U0001D53E"},
    {"GreaterEqual", u"\u2265"}, {"GreaterEqualLess", u"\u22DB"}, {"GreaterFullEqual", u"\u2267"},
    {"GreaterGreater", u"\u2AA2"}, {"GreaterLess", u"\u2277"}, {"GreaterSlantEqual", u"\u2A7E"},
    {"GreaterTilde", u"\u2273"}, {"Gscr", u"\U0001D4A2"}, {"Gt", u"\u226B"}, {"HARDcy", u"\u042A"},
    {"Hacek", u"\u02C7"}, {"Hat", u"^"}, {"Hcirc", u"\u0124"}, {"Hfr", u"\u210C"},
    {"HilbertSpace", u"\u210B"}, {"Hopf", u"\u210D"}, {"HorizontalLine", u"\u2500"},
    {"Hscr", u"\u210B"}, {"Hstrok", u"\u0126"}, {"HumpDownHump", u"\u224E"},
    {"HumpEqual", u"\u224F"}, {"IEcy", u"\u0415"}, {"IJlig", u"\u0132"}, {"IOcy", u"\u0401"},
    {"Iacute", u"\u00CD"}, {"Icirc", u"\u00CE"}, {"Icy", u"\u0418"}, {"Idot", u"\u0130"},
    {"Ifr", u"\u2111"}, {"Igrave", u"\u00CC"}, {"Im", u"\u2111"}, {"Imacr", u"\u012A"},
    {"ImaginaryI", u"\u2148"}, {"Implies", u"\u21D2"}, {"Int", u"\u222C"}, {"Integral", u"\u222B"},
    {"Intersection", u"\u22C2"}, {"InvisibleComma", u"\u2063"}, {"InvisibleTimes", u"\u2062"},
    {"Iogon", u"\u012E"}, {"Iopf", u"\U0001D540"}, {"Iota", u"\u0399"}, {"Iscr", u"\u2110"},
    {"Itilde", u"\u0128"}, {"Iukcy", u"\u0406"}, {"Iuml", u"\u00CF"}, {"Jcirc", u"\u0134"},
    {"Jcy", u"\u0419"}, {"Jfr", u"\U0001D50D"}, {"Jopf", u"\U0001D541"}, {"Jscr", u"\U0001D4A5"},
    {"Jsercy", u"\u0408"}, {"Jukcy", u"\u0404"}, {"KHcy", u"\u0425"}, {"KJcy", u"\u040C"},
    {"Kappa", u"\u039A"}, {"Kcedil", u"\u0136"}, {"Kcy", u"\u041A"}, {"Kfr", u"\U0001D50E"},
    {"Kopf", u"\U0001D542"}, {"Kscr", u"\U0001D4A6"}, {"LJcy", u"\u0409"}, {"LT", u"<"},
    {"Lacute", u"\u0139"}, {"Lambda", u"\u039B"}, {"Lang", u"\u27EA"}, {"Laplacetrf", u"\u2112"},
    {"Larr", u"\u219E"}, {"Lcaron", u"\u013D"}, {"Lcedil", u"\u013B"}, {"Lcy", u"\u041B"},
    {"LeftAngleBracket", u"\u27E8"}, {"LeftArrow", u"\u2190"}, {"LeftArrowBar", u"\u21E4"},
    {"LeftArrowRightArrow", u"\u21C6"}, {"LeftCeiling", u"\u2308"},
    {"LeftDoubleBracket", u"\u27E6"}, {"LeftDownTeeVector", u"\u2961"},
    {"LeftDownVector", u"\u21C3"}, {"LeftDownVectorBar", u"\u2959"}, {"LeftFloor", u"\u230A"},
    {"LeftRightArrow", u"\u2194"}, {"LeftRightVector", u"\u294E"}, {"LeftTee", u"\u22A3"},
    {"LeftTeeArrow", u"\u21A4"}, {"LeftTeeVector", u"\u295A"}, {"LeftTriangle", u"\u22B2"},
    {"LeftTriangleBar", u"\u29CF"}, {"LeftTriangleEqual", u"\u22B4"},
    {"LeftUpDownVector", u"\u2951"}, {"LeftUpTeeVector", u"\u2960"}, {"LeftUpVector", u"\u21BF"},
    {"LeftUpVectorBar", u"\u2958"}, {"LeftVector", u"\u21BC"}, {"LeftVectorBar", u"\u2952"},
    {"Leftarrow", u"\u21D0"}, {"Leftrightarrow", u"\u21D4"}, {"LessEqualGreater", u"\u22DA"},
    {"LessFullEqual", u"\u2266"}, {"LessGreater", u"\u2276"}, {"LessLess", u"\u2AA1"},
    {"LessSlantEqual", u"\u2A7D"}, {"LessTilde", u"\u2272"}, {"Lfr", u"\U0001D50F"},
    {"Ll", u"\u22D8"}, {"Lleftarrow", u"\u21DA"}, {"Lmidot", u"\u013F"},
    {"LongLeftArrow", u"\u27F5"}, {"LongLeftRightArrow", u"\u27F7"}, {"LongRightArrow", u"\u27F6"},
    {"Longleftarrow", u"\u27F8"}, {"Longleftrightarrow", u"\u27FA"}, {"Longrightarrow", u"\u27F9"},
    {"Lopf", u"\U0001D543"}, {"LowerLeftArrow", u"\u2199"}, {"LowerRightArrow", u"\u2198"},
    {"Lscr", u"\u2112"}, {"Lsh", u"\u21B0"}, {"Lstrok", u"\u0141"}, {"Lt", u"\u226A"},
    {"Map", u"\u2905"}, {"Mcy", u"\u041C"}, {"MediumSpace", u"\u205F"}, {"Mellintrf", u"\u2133"},
    {"Mfr", u"\U0001D510"}, {"MinusPlus", u"\u2213"}, {"Mopf", u"\U0001D544"}, {"Mscr", u"\u2133"},
    {"Mu", u"\u039C"}, {"NJcy", u"\u040A"}, {"Nacute", u"\u0143"}, {"Ncaron", u"\u0147"},
    {"Ncedil", u"\u0145"}, {"Ncy", u"\u041D"}, {"NegativeMediumSpace", u"\u200B"},
    {"NegativeThickSpace", u"\u200B"}, {"NegativeThinSpace", u"\u200B"},
    {"NegativeVeryThinSpace", u"\u200B"}, {"NestedGreaterGreater", u"\u226B"},
    {"NestedLessLess", u"\u226A"}, {"NewLine", u"\u000A"}, {"Nfr", u"\U0001D511"},
    {"NoBreak", u"\u2060"}, {"NonBreakingSpace", u"\u00A0"}, {"Nopf", u"\u2115"},
    {"Not", u"\u2AEC"}, {"NotCongruent", u"\u2262"}, {"NotCupCap", u"\u226D"},
    {"NotDoubleVerticalBar", u"\u2226"}, {"NotElement", u"\u2209"}, {"NotEqual", u"\u2260"},
    {"NotEqualTilde", u"\u2242\u0338"}, {"NotExists", u"\u2204"}, {"NotGreater", u"\u226F"},
    {"NotGreaterEqual", u"\u2271"}, {"NotGreaterFullEqual", u"\u2267\u0338"},
    {"NotGreaterGreater", u"\u226B\u0338"}, {"NotGreaterLess", u"\u2279"},
    {"NotGreaterSlantEqual", u"\u2A7E\u0338"}, {"NotGreaterTilde", u"\u2275"},
    {"NotHumpDownHump", u"\u224E\u0338"}, {"NotHumpEqual", u"\u224F\u0338"},
    {"NotLeftTriangle", u"\u22EA"}, {"NotLeftTriangleBar", u"\u29CF\u0338"},
    {"NotLeftTriangleEqual", u"\u22EC"}, {"NotLess", u"\u226E"}, {"NotLessEqual", u"\u2270"},
    {"NotLessGreater", u"\u2278"}, {"NotLessLess", u"\u226A\u0338"},
    {"NotLessSlantEqual", u"\u2A7D\u0338"}, {"NotLessTilde", u"\u2274"},
    {"NotNestedGreaterGreater", u"\u2AA2\u0338"}, {"NotNestedLessLess", u"\u2AA1\u0338"},
    {"NotPrecedes", u"\u2280"}, {"NotPrecedesEqual", u"\u2AAF\u0338"},
    {"NotPrecedesSlantEqual", u"\u22E0"}, {"NotReverseElement", u"\u220C"},
    {"NotRightTriangle", u"\u22EB"}, {"NotRightTriangleBar", u"\u29D0\u0338"},
    {"NotRightTriangleEqual", u"\u22ED"}, {"NotSquareSubset", u"\u228F\u0338"},
    {"NotSquareSubsetEqual", u"\u22E2"}, {"NotSquareSuperset", u"\u2290\u0338"},
    {"NotSquareSupersetEqual", u"\u22E3"}, {"NotSubset", u"\u2282\u20D2"},
    {"NotSubsetEqual", u"\u2288"}, {"NotSucceeds", u"\u2281"},
    {"NotSucceedsEqual", u"\u2AB0\u0338"}, {"NotSucceedsSlantEqual", u"\u22E1"},
    {"NotSucceedsTilde", u"\u227F\u0338"}, {"NotSuperset", u"\u2283\u20D2"},
    {"NotSupersetEqual", u"\u2289"}, {"NotTilde", u"\u2241"}, {"NotTildeEqual", u"\u2244"},
    {"NotTildeFullEqual", u"\u2247"}, {"NotTildeTilde", u"\u2249"}, {"NotVerticalBar", u"\u2224"},
    {"Nscr", u"\U0001D4A9"}, {"Ntilde", u"\u00D1"}, {"Nu", u"\u039D"}, {"OElig", u"\u0152"},
    {"Oacute", u"\u00D3"}, {"Ocirc", u"\u00D4"}, {"Ocy", u"\u041E"}, {"Odblac", u"\u0150"},
    {"Ofr", u"\U0001D512"}, {"Ograve", u"\u00D2"}, {"Omacr", u"\u014C"}, {"Omega", u"\u03A9"},
    {"Omicron", u"\u039F"}, {"Oopf", u"\U0001D546"}, {"OpenCurlyDoubleQuote", u"\u201C"},
    {"OpenCurlyQuote", u"\u2018"}, {"Or", u"\u2A54"}, {"Oscr", u"\U0001D4AA"},
    {"Oslash", u"\u00D8"}, {"Otilde", u"\u00D5"}, {"Otimes", u"\u2A37"}, {"Ouml", u"\u00D6"},
    {"OverBar", u"\u203E"}, {"OverBrace", u"\u23DE"}, {"OverBracket", u"\u23B4"},
    {"OverParenthesis", u"\u23DC"}, {"PartialD", u"\u2202"}, {"Pcy", u"\u041F"},
    {"Pfr", u"\U0001D513"}, {"Phi", u"\u03A6"}, {"Pi", u"\u03A0"}, {"PlusMinus", u"\u00B1"},
    {"Poincareplane", u"\u210C"}, {"Popf", u"\u2119"}, {"Pr", u"\u2ABB"}, {"Precedes", u"\u227A"},
    {"PrecedesEqual", u"\u2AAF"}, {"PrecedesSlantEqual", u"\u227C"}, {"PrecedesTilde", u"\u227E"},
    {"Prime", u"\u2033"}, {"Product", u"\u220F"}, {"Proportion", u"\u2237"},
    {"Proportional", u"\u221D"}, {"Pscr", u"\U0001D4AB"}, {"Psi", u"\u03A8"}, {"QUOT", u"\u0022"},
    {"Qfr", u"\U0001D514"}, {"Qopf", u"\u211A"}, {"Qscr", u"\U0001D4AC"}, {"RBarr", u"\u2910"},
    {"REG", u"\u00AE"}, {"Racute", u"\u0154"}, {"Rang", u"\u27EB"}, {"Rarr", u"\u21A0"},
    {"Rarrtl", u"\u2916"}, {"Rcaron", u"\u0158"}, {"Rcedil", u"\u0156"}, {"Rcy", u"\u0420"},
    {"Re", u"\u211C"}, {"ReverseElement", u"\u220B"}, {"ReverseEquilibrium", u"\u21CB"},
    {"ReverseUpEquilibrium", u"\u296F"}, {"Rfr", u"\u211C"}, {"Rho", u"\u03A1"},
    {"RightAngleBracket", u"\u27E9"}, {"RightArrow", u"\u2192"}, {"RightArrowBar", u"\u21E5"},
    {"RightArrowLeftArrow", u"\u21C4"}, {"RightCeiling", u"\u2309"},
    {"RightDoubleBracket", u"\u27E7"}, {"RightDownTeeVector", u"\u295D"},
    {"RightDownVector", u"\u21C2"}, {"RightDownVectorBar", u"\u2955"}, {"RightFloor", u"\u230B"},
    {"RightTee", u"\u22A2"}, {"RightTeeArrow", u"\u21A6"}, {"RightTeeVector", u"\u295B"},
    {"RightTriangle", u"\u22B3"}, {"RightTriangleBar", u"\u29D0"},
    {"RightTriangleEqual", u"\u22B5"}, {"RightUpDownVector", u"\u294F"},
    {"RightUpTeeVector", u"\u295C"}, {"RightUpVector", u"\u21BE"}, {"RightUpVectorBar", u"\u2954"},
    {"RightVector", u"\u21C0"}, {"RightVectorBar", u"\u2953"}, {"Rightarrow", u"\u21D2"},
    {"Ropf", u"\u211D"}, {"RoundImplies", u"\u2970"}, {"Rrightarrow", u"\u21DB"},
    {"Rscr", u"\u211B"}, {"Rsh", u"\u21B1"}, {"RuleDelayed", u"\u29F4"}, {"SHCHcy", u"\u0429"},
    {"SHcy", u"\u0428"}, {"SOFTcy", u"\u042C"}, {"Sacute", u"\u015A"}, {"Sc", u"\u2ABC"},
    {"Scaron", u"\u0160"}, {"Scedil", u"\u015E"}, {"Scirc", u"\u015C"}, {"Scy", u"\u0421"},
    {"Sfr", u"\U0001D516"}, {"ShortDownArrow", u"\u2193"}, {"ShortLeftArrow", u"\u2190"},
    {"ShortRightArrow", u"\u2192"}, {"ShortUpArrow", u"\u2191"}, {"Sigma", u"\u03A3"},
    {"SmallCircle", u"\u2218"}, {"Sopf", u"\U0001D54A"}, {"Sqrt", u"\u221A"},
    {"Square", u"\u25A1"}, {"SquareIntersection", u"\u2293"}, {"SquareSubset", u"\u228F"},
    {"SquareSubsetEqual", u"\u2291"}, {"SquareSuperset", u"\u2290"},
    {"SquareSupersetEqual", u"\u2292"}, {"SquareUnion", u"\u2294"}, {"Sscr", u"\U0001D4AE"},
    {"Star", u"\u22C6"}, {"Sub", u"\u22D0"}, {"Subset", u"\u22D0"}, {"SubsetEqual", u"\u2286"},
    {"Succeeds", u"\u227B"}, {"SucceedsEqual", u"\u2AB0"}, {"SucceedsSlantEqual", u"\u227D"},
    {"SucceedsTilde", u"\u227F"}, {"SuchThat", u"\u220B"}, {"Sum", u"\u2211"}, {"Sup", u"\u22D1"},
    {"Superset", u"\u2283"}, {"SupersetEqual", u"\u2287"}, {"Supset", u"\u22D1"},
    {"THORN", u"\u00DE"}, {"TRADE", u"\u2122"}, {"TSHcy", u"\u040B"}, {"TScy", u"\u0426"},
    {"Tab", u"\u0009"}, {"Tau", u"\u03A4"}, {"Tcaron", u"\u0164"}, {"Tcedil", u"\u0162"},
    {"Tcy", u"\u0422"}, {"Tfr", u"\U0001D517"}, {"Therefore", u"\u2234"}, {"Theta", u"\u0398"},
    {"ThickSpace", u"\u205F\u200A"}, {"ThinSpace", u"\u2009"}, {"Tilde", u"\u223C"},
    {"TildeEqual", u"\u2243"}, {"TildeFullEqual", u"\u2245"}, {"TildeTilde", u"\u2248"},
    {"Topf", u"\U0001D54B"}, {"TripleDot", u"\u20DB"}, {"Tscr", u"\U0001D4AF"},
    {"Tstrok", u"\u0166"}, {"Uacute", u"\u00DA"}, {"Uarr", u"\u219F"}, {"Uarrocir", u"\u2949"},
    {"Ubrcy", u"\u040E"}, {"Ubreve", u"\u016C"}, {"Ucirc", u"\u00DB"}, {"Ucy", u"\u0423"},
    {"Udblac", u"\u0170"}, {"Ufr", u"\U0001D518"}, {"Ugrave", u"\u00D9"}, {"Umacr", u"\u016A"},
    {"UnderBar", u"_"}, {"UnderBrace", u"\u23DF"}, {"UnderBracket", u"\u23B5"},
    {"UnderParenthesis", u"\u23DD"}, {"Union", u"\u22C3"}, {"UnionPlus", u"\u228E"},
    {"Uogon", u"\u0172"}, {"Uopf", u"\U0001D54C"}, {"UpArrow", u"\u2191"},
    {"UpArrowBar", u"\u2912"}, {"UpArrowDownArrow", u"\u21C5"}, {"UpDownArrow", u"\u2195"},
    {"UpEquilibrium", u"\u296E"}, {"UpTee", u"\u22A5"}, {"UpTeeArrow", u"\u21A5"},
    {"Uparrow", u"\u21D1"}, {"Updownarrow", u"\u21D5"}, {"UpperLeftArrow", u"\u2196"},
    {"UpperRightArrow", u"\u2197"}, {"Upsi", u"\u03D2"}, {"Upsilon", u"\u03A5"},
    {"Uring", u"\u016E"}, {"Uscr", u"\U0001D4B0"}, {"Utilde", u"\u0168"}, {"Uuml", u"\u00DC"},
    {"VDash", u"\u22AB"}, {"Vbar", u"\u2AEB"}, {"Vcy", u"\u0412"}, {"Vdash", u"\u22A9"},
    {"Vdashl", u"\u2AE6"}, {"Vee", u"\u22C1"}, {"Verbar", u"\u2016"}, {"Vert", u"\u2016"},
    {"VerticalBar", u"\u2223"}, {"VerticalLine", u"|"}, {"VerticalSeparator", u"\u2758"},
    {"VerticalTilde", u"\u2240"}, {"VeryThinSpace", u"\u200A"}, {"Vfr", u"\U0001D519"},
    {"Vopf", u"\U0001D54D"}, {"Vscr", u"\U0001D4B1"}, {"Vvdash", u"\u22AA"}, {"Wcirc", u"\u0174"},
    {"Wedge", u"\u22C0"}, {"Wfr", u"\U0001D51A"}, {"Wopf", u"\U0001D54E"}, {"Wscr", u"\U0001D4B2"},
    {"Xfr", u"\U0001D51B"}, {"Xi", u"\u039E"}, {"Xopf", u"\U0001D54F"}, {"Xscr", u"\U0001D4B3"},
    {"YAcy", u"\u042F"}, {"YIcy", u"\u0407"}, {"YUcy", u"\u042E"}, {"Yacute", u"\u00DD"},
    {"Ycirc", u"\u0176"}, {"Ycy", u"\u042B"}, {"Yfr", u"\U0001D51C"}, {"Yopf", u"\U0001D550"},
    {"Yscr", u"\U0001D4B4"}, {"Yuml", u"\u0178"}, {"ZHcy", u"\u0416"}, {"Zacute", u"\u0179"},
    {"Zcaron", u"\u017D"}, {"Zcy", u"\u0417"}, {"Zdot", u"\u017B"}, {"ZeroWidthSpace", u"\u200B"},
    {"Zeta", u"\u0396"}, {"Zfr", u"\u2128"}, {"Zopf", u"\u2124"}, {"Zscr", u"\U0001D4B5"},
    {"aacute", u"\u00E1"}, {"abreve", u"\u0103"}, {"ac", u"\u223E"}, {"acE", u"\u223E\u0333"},
    {"acd", u"\u223F"}, {"acirc", u"\u00E2"}, {"acute", u"\u00B4"}, {"acy", u"\u0430"},
    {"aelig", u"\u00E6"}, {"af", u"\u2061"}, {"afr", u"\U0001D51E"}, {"agrave", u"\u00E0"},
    {"alefsym", u"\u2135"}, {"aleph", u"\u2135"}, {"alpha", u"\u03B1"}, {"amacr", u"\u0101"},
    {"amalg", u"\u2A3F"}, {"amp", u"&"}, {"and", u"\u2227"}, {"andand", u"\u2A55"},
    {"andd", u"\u2A5C"}, {"andslope", u"\u2A58"}, {"andv", u"\u2A5A"}, {"ang", u"\u2220"},
    {"ange", u"\u29A4"}, {"angle", u"\u2220"}, {"angmsd", u"\u2221"}, {"angmsdaa", u"\u29A8"},
    {"angmsdab", u"\u29A9"}, {"angmsdac", u"\u29AA"}, {"angmsdad", u"\u29AB"},
    {"angmsdae", u"\u29AC"}, {"angmsdaf", u"\u29AD"}, {"angmsdag", u"\u29AE"},
    {"angmsdah", u"\u29AF"}, {"angrt", u"\u221F"}, {"angrtvb", u"\u22BE"}, {"angrtvbd", u"\u299D"},
    {"angsph", u"\u2222"}, {"angst", u"\u00C5"}, {"angzarr", u"\u237C"}, {"aogon", u"\u0105"},
    {"aopf", u"\U0001D552"}, {"ap", u"\u2248"}, {"apE", u"\u2A70"}, {"apacir", u"\u2A6F"},
    {"ape", u"\u224A"}, {"apid", u"\u224B"}, {"apos", u"'"}, {"approx", u"\u2248"},
    {"approxeq", u"\u224A"}, {"aring", u"\u00E5"}, {"ascr", u"\U0001D4B6"}, {"ast", u"*"},
    {"asymp", u"\u2248"}, {"asympeq", u"\u224D"}, {"atilde", u"\u00E3"}, {"auml", u"\u00E4"},
    {"awconint", u"\u2233"}, {"awint", u"\u2A11"}, {"bNot", u"\u2AED"}, {"backcong", u"\u224C"},
    {"backepsilon", u"\u03F6"}, {"backprime", u"\u2035"}, {"backsim", u"\u223D"},
    {"backsimeq", u"\u22CD"}, {"barvee", u"\u22BD"}, {"barwed", u"\u2305"},
    {"barwedge", u"\u2305"}, {"bbrk", u"\u23B5"}, {"bbrktbrk", u"\u23B6"}, {"bcong", u"\u224C"},
    {"bcy", u"\u0431"}, {"bdquo", u"\u201E"}, {"becaus", u"\u2235"}, {"because", u"\u2235"},
    {"bemptyv", u"\u29B0"}, {"bepsi", u"\u03F6"}, {"bernou", u"\u212C"}, {"beta", u"\u03B2"},
    {"beth", u"\u2136"}, {"between", u"\u226C"}, {"bfr", u"\U0001D51F"}, {"bigcap", u"\u22C2"},
    {"bigcirc", u"\u25EF"}, {"bigcup", u"\u22C3"}, {"bigodot", u"\u2A00"}, {"bigoplus", u"\u2A01"},
    {"bigotimes", u"\u2A02"}, {"bigsqcup", u"\u2A06"}, {"bigstar", u"\u2605"},
    {"bigtriangledown", u"\u25BD"}, {"bigtriangleup", u"\u25B3"}, {"biguplus", u"\u2A04"},
    {"bigvee", u"\u22C1"}, {"bigwedge", u"\u22C0"}, {"bkarow", u"\u290D"},
    {"blacklozenge", u"\u29EB"}, {"blacksquare", u"\u25AA"}, {"blacktriangle", u"\u25B4"},
    {"blacktriangledown", u"\u25BE"}, {"blacktriangleleft", u"\u25C2"},
    {"blacktriangleright", u"\u25B8"}, {"blank", u"\u2423"}, {"blk12", u"\u2592"},
    {"blk14", u"\u2591"}, {"blk34", u"\u2593"}, {"block", u"\u2588"}, {"bne", u"=\u20E5"},
    {"bnequiv", u"\u2261\u20E5"}, {"bnot", u"\u2310"}, {"bopf", u"\U0001D553"}, {"bot", u"\u22A5"},
    {"bottom", u"\u22A5"}, {"bowtie", u"\u22C8"}, {"boxDL", u"\u2557"}, {"boxDR", u"\u2554"},
    {"boxDl", u"\u2556"}, {"boxDr", u"\u2553"}, {"boxH", u"\u2550"}, {"boxHD", u"\u2566"},
    {"boxHU", u"\u2569"}, {"boxHd", u"\u2564"}, {"boxHu", u"\u2567"}, {"boxUL", u"\u255D"},
    {"boxUR", u"\u255A"}, {"boxUl", u"\u255C"}, {"boxUr", u"\u2559"}, {"boxV", u"\u2551"},
    {"boxVH", u"\u256C"}, {"boxVL", u"\u2563"}, {"boxVR", u"\u2560"}, {"boxVh", u"\u256B"},
    {"boxVl", u"\u2562"}, {"boxVr", u"\u255F"}, {"boxbox", u"\u29C9"}, {"boxdL", u"\u2555"},
    {"boxdR", u"\u2552"}, {"boxdl", u"\u2510"}, {"boxdr", u"\u250C"}, {"boxh", u"\u2500"},
    {"boxhD", u"\u2565"}, {"boxhU", u"\u2568"}, {"boxhd", u"\u252C"}, {"boxhu", u"\u2534"},
    {"boxminus", u"\u229F"}, {"boxplus", u"\u229E"}, {"boxtimes", u"\u22A0"}, {"boxuL", u"\u255B"},
    {"boxuR", u"\u2558"}, {"boxul", u"\u2518"}, {"boxur", u"\u2514"}, {"boxv", u"\u2502"},
    {"boxvH", u"\u256A"}, {"boxvL", u"\u2561"}, {"boxvR", u"\u255E"}, {"boxvh", u"\u253C"},
    {"boxvl", u"\u2524"}, {"boxvr", u"\u251C"}, {"bprime", u"\u2035"}, {"breve", u"\u02D8"},
    {"brvbar", u"\u00A6"}, {"bscr", u"\U0001D4B7"}, {"bsemi", u"\u204F"}, {"bsim", u"\u223D"},
    {"bsime", u"\u22CD"}, {"bsol", u"\u005C"}, {"bsolb", u"\u29C5"}, {"bsolhsub", u"\u27C8"},
    {"bull", u"\u2022"}, {"bullet", u"\u2022"}, {"bump", u"\u224E"}, {"bumpE", u"\u2AAE"},
    {"bumpe", u"\u224F"}, {"bumpeq", u"\u224F"}, {"cacute", u"\u0107"}, {"cap", u"\u2229"},
    {"capand", u"\u2A44"}, {"capbrcup", u"\u2A49"}, {"capcap", u"\u2A4B"}, {"capcup", u"\u2A47"},
    {"capdot", u"\u2A40"}, {"caps", u"\u2229\uFE00"}, {"caret", u"\u2041"}, {"caron", u"\u02C7"},
    {"ccaps", u"\u2A4D"}, {"ccaron", u"\u010D"}, {"ccedil", u"\u00E7"}, {"ccirc", u"\u0109"},
    {"ccups", u"\u2A4C"}, {"ccupssm", u"\u2A50"}, {"cdot", u"\u010B"}, {"cedil", u"\u00B8"},
    {"cemptyv", u"\u29B2"}, {"cent", u"\u00A2"}, {"centerdot", u"\u00B7"}, {"cfr", u"\U0001D520"},
    {"chcy", u"\u0447"}, {"check", u"\u2713"}, {"checkmark", u"\u2713"}, {"chi", u"\u03C7"},
    {"cir", u"\u25CB"}, {"cirE", u"\u29C3"}, {"circ", u"\u02C6"}, {"circeq", u"\u2257"},
    {"circlearrowleft", u"\u21BA"}, {"circlearrowright", u"\u21BB"}, {"circledR", u"\u00AE"},
    {"circledS", u"\u24C8"}, {"circledast", u"\u229B"}, {"circledcirc", u"\u229A"},
    {"circleddash", u"\u229D"}, {"cire", u"\u2257"}, {"cirfnint", u"\u2A10"},
    {"cirmid", u"\u2AEF"}, {"cirscir", u"\u29C2"}, {"clubs", u"\u2663"}, {"clubsuit", u"\u2663"},
    {"colon", u":"}, {"colone", u"\u2254"}, {"coloneq", u"\u2254"}, {"comma", u","},
    {"commat", u"@"}, {"comp", u"\u2201"}, {"compfn", u"\u2218"}, {"complement", u"\u2201"},
    {"complexes", u"\u2102"}, {"cong", u"\u2245"}, {"congdot", u"\u2A6D"}, {"conint", u"\u222E"},
    {"copf", u"\U0001D554"}, {"coprod", u"\u2210"}, {"copy", u"\u00A9"}, {"copysr", u"\u2117"},
    {"crarr", u"\u21B5"}, {"cross", u"\u2717"}, {"cscr", u"\U0001D4B8"}, {"csub", u"\u2ACF"},
    {"csube", u"\u2AD1"}, {"csup", u"\u2AD0"}, {"csupe", u"\u2AD2"}, {"ctdot", u"\u22EF"},
    {"cudarrl", u"\u2938"}, {"cudarrr", u"\u2935"}, {"cuepr", u"\u22DE"}, {"cuesc", u"\u22DF"},
    {"cularr", u"\u21B6"}, {"cularrp", u"\u293D"}, {"cup", u"\u222A"}, {"cupbrcap", u"\u2A48"},
    {"cupcap", u"\u2A46"}, {"cupcup", u"\u2A4A"}, {"cupdot", u"\u228D"}, {"cupor", u"\u2A45"},
    {"cups", u"\u222A\uFE00"}, {"curarr", u"\u21B7"}, {"curarrm", u"\u293C"},
    {"curlyeqprec", u"\u22DE"}, {"curlyeqsucc", u"\u22DF"}, {"curlyvee", u"\u22CE"},
    {"curlywedge", u"\u22CF"}, {"curren", u"\u00A4"}, {"curvearrowleft", u"\u21B6"},
    {"curvearrowright", u"\u21B7"}, {"cuvee", u"\u22CE"}, {"cuwed", u"\u22CF"},
    {"cwconint", u"\u2232"}, {"cwint", u"\u2231"}, {"cylcty", u"\u232D"}, {"dArr", u"\u21D3"},
    {"dHar", u"\u2965"}, {"dagger", u"\u2020"}, {"daleth", u"\u2138"}, {"darr", u"\u2193"},
    {"dash", u"\u2010"}, {"dashv", u"\u22A3"}, {"dbkarow", u"\u290F"}, {"dblac", u"\u02DD"},
    {"dcaron", u"\u010F"}, {"dcy", u"\u0434"}, {"dd", u"\u2146"}, {"ddagger", u"\u2021"},
    {"ddarr", u"\u21CA"}, {"ddotseq", u"\u2A77"}, {"deg", u"\u00B0"}, {"delta", u"\u03B4"},
    {"demptyv", u"\u29B1"}, {"dfisht", u"\u297F"}, {"dfr", u"\U0001D521"}, {"dharl", u"\u21C3"},
    {"dharr", u"\u21C2"}, {"diam", u"\u22C4"}, {"diamond", u"\u22C4"}, {"diamondsuit", u"\u2666"},
    {"diams", u"\u2666"}, {"die", u"\u00A8"}, {"digamma", u"\u03DD"}, {"disin", u"\u22F2"},
    {"div", u"\u00F7"}, {"divide", u"\u00F7"}, {"divideontimes", u"\u22C7"}, {"divonx", u"\u22C7"},
    {"djcy", u"\u0452"}, {"dlcorn", u"\u231E"}, {"dlcrop", u"\u230D"}, {"dollar", u"$"},
    {"dopf", u"\U0001D555"}, {"dot", u"\u02D9"}, {"doteq", u"\u2250"}, {"doteqdot", u"\u2251"},
    {"dotminus", u"\u2238"}, {"dotplus", u"\u2214"}, {"dotsquare", u"\u22A1"},
    {"doublebarwedge", u"\u2306"}, {"downarrow", u"\u2193"}, {"downdownarrows", u"\u21CA"},
    {"downharpoonleft", u"\u21C3"}, {"downharpoonright", u"\u21C2"}, {"drbkarow", u"\u2910"},
    {"drcorn", u"\u231F"}, {"drcrop", u"\u230C"}, {"dscr", u"\U0001D4B9"}, {"dscy", u"\u0455"},
    {"dsol", u"\u29F6"}, {"dstrok", u"\u0111"}, {"dtdot", u"\u22F1"}, {"dtri", u"\u25BF"},
    {"dtrif", u"\u25BE"}, {"duarr", u"\u21F5"}, {"duhar", u"\u296F"}, {"dwangle", u"\u29A6"},
    {"dzcy", u"\u045F"}, {"dzigrarr", u"\u27FF"}, {"eDDot", u"\u2A77"}, {"eDot", u"\u2251"},
    {"eacute", u"\u00E9"}, {"easter", u"\u2A6E"}, {"ecaron", u"\u011B"}, {"ecir", u"\u2256"},
    {"ecirc", u"\u00EA"}, {"ecolon", u"\u2255"}, {"ecy", u"\u044D"}, {"edot", u"\u0117"},
    {"ee", u"\u2147"}, {"efDot", u"\u2252"}, {"efr", u"\U0001D522"}, {"eg", u"\u2A9A"},
    {"egrave", u"\u00E8"}, {"egs", u"\u2A96"}, {"egsdot", u"\u2A98"}, {"el", u"\u2A99"},
    {"elinters", u"\u23E7"}, {"ell", u"\u2113"}, {"els", u"\u2A95"}, {"elsdot", u"\u2A97"},
    {"emacr", u"\u0113"}, {"empty", u"\u2205"}, {"emptyset", u"\u2205"}, {"emptyv", u"\u2205"},
    {"emsp", u"\u2003"}, {"emsp13", u"\u2004"}, {"emsp14", u"\u2005"}, {"eng", u"\u014B"},
    {"ensp", u"\u2002"}, {"eogon", u"\u0119"}, {"eopf", u"\U0001D556"}, {"epar", u"\u22D5"},
    {"eparsl", u"\u29E3"}, {"eplus", u"\u2A71"}, {"epsi", u"\u03B5"}, {"epsilon", u"\u03B5"},
    {"epsiv", u"\u03F5"}, {"eqcirc", u"\u2256"}, {"eqcolon", u"\u2255"}, {"eqsim", u"\u2242"},
    {"eqslantgtr", u"\u2A96"}, {"eqslantless", u"\u2A95"}, {"equals", u"="}, {"equest", u"\u225F"},
    {"equiv", u"\u2261"}, {"equivDD", u"\u2A78"}, {"eqvparsl", u"\u29E5"}, {"erDot", u"\u2253"},
    {"erarr", u"\u2971"}, {"escr", u"\u212F"}, {"esdot", u"\u2250"}, {"esim", u"\u2242"},
    {"eta", u"\u03B7"}, {"eth", u"\u00F0"}, {"euml", u"\u00EB"}, {"euro", u"\u20AC"},
    {"excl", u"!"}, {"exist", u"\u2203"}, {"expectation", u"\u2130"}, {"exponentiale", u"\u2147"},
    {"fallingdotseq", u"\u2252"}, {"fcy", u"\u0444"}, {"female", u"\u2640"}, {"ffilig", u"\uFB03"},
    {"fflig", u"\uFB00"}, {"ffllig", u"\uFB04"}, {"ffr", u"\U0001D523"}, {"filig", u"\uFB01"},
    {"fjlig", u"fj"}, {"flat", u"\u266D"}, {"fllig", u"\uFB02"}, {"fltns", u"\u25B1"},
    {"fnof", u"\u0192"}, {"fopf", u"\U0001D557"}, {"forall", u"\u2200"}, {"fork", u"\u22D4"},
    {"forkv", u"\u2AD9"}, {"fpartint", u"\u2A0D"}, {"frac12", u"\u00BD"}, {"frac13", u"\u2153"},
    {"frac14", u"\u00BC"}, {"frac15", u"\u2155"}, {"frac16", u"\u2159"}, {"frac18", u"\u215B"},
    {"frac23", u"\u2154"}, {"frac25", u"\u2156"}, {"frac34", u"\u00BE"}, {"frac35", u"\u2157"},
    {"frac38", u"\u215C"}, {"frac45", u"\u2158"}, {"frac56", u"\u215A"}, {"frac58", u"\u215D"},
    {"frac78", u"\u215E"}, {"frasl", u"\u2044"}, {"frown", u"\u2322"}, {"fscr", u"\U0001D4BB"},
    {"gE", u"\u2267"}, {"gEl", u"\u2A8C"}, {"gacute", u"\u01F5"}, {"gamma", u"\u03B3"},
    {"gammad", u"\u03DD"}, {"gap", u"\u2A86"}, {"gbreve", u"\u011F"}, {"gcirc", u"\u011D"},
    {"gcy", u"\u0433"}, {"gdot", u"\u0121"}, {"ge", u"\u2265"}, {"gel", u"\u22DB"},
    {"geq", u"\u2265"}, {"geqq", u"\u2267"}, {"geqslant", u"\u2A7E"}, {"ges", u"\u2A7E"},
    {"gescc", u"\u2AA9"}, {"gesdot", u"\u2A80"}, {"gesdoto", u"\u2A82"}, {"gesdotol", u"\u2A84"},
    {"gesl", u"\u22DB\uFE00"}, {"gesles", u"\u2A94"}, {"gfr", u"\U0001D524"}, {"gg", u"\u226B"},
    {"ggg", u"\u22D9"}, {"gimel", u"\u2137"}, {"gjcy", u"\u0453"}, {"gl", u"\u2277"},
    {"glE", u"\u2A92"}, {"gla", u"\u2AA5"}, {"glj", u"\u2AA4"}, {"gnE", u"\u2269"},
    {"gnap", u"\u2A8A"}, {"gnapprox", u"\u2A8A"}, {"gne", u"\u2A88"}, {"gneq", u"\u2A88"},
    {"gneqq", u"\u2269"}, {"gnsim", u"\u22E7"}, {"gopf", u"\U0001D558"}, {"grave", u"`"},
    {"gscr", u"\u210A"}, {"gsim", u"\u2273"}, {"gsime", u"\u2A8E"}, {"gsiml", u"\u2A90"},
    {"gt", u">"}, {"gtcc", u"\u2AA7"}, {"gtcir", u"\u2A7A"}, {"gtdot", u"\u22D7"},
    {"gtlPar", u"\u2995"}, {"gtquest", u"\u2A7C"}, {"gtrapprox", u"\u2A86"}, {"gtrarr", u"\u2978"},
    {"gtrdot", u"\u22D7"}, {"gtreqless", u"\u22DB"}, {"gtreqqless", u"\u2A8C"},
    {"gtrless", u"\u2277"}, {"gtrsim", u"\u2273"}, {"gvertneqq", u"\u2269\uFE00"},
    {"gvnE", u"\u2269\uFE00"}, {"hArr", u"\u21D4"}, {"hairsp", u"\u200A"}, {"half", u"\u00BD"},
    {"hamilt", u"\u210B"}, {"hardcy", u"\u044A"}, {"harr", u"\u2194"}, {"harrcir", u"\u2948"},
    {"harrw", u"\u21AD"}, {"hbar", u"\u210F"}, {"hcirc", u"\u0125"}, {"hearts", u"\u2665"},
    {"heartsuit", u"\u2665"}, {"hellip", u"\u2026"}, {"hercon", u"\u22B9"}, {"hfr", u"\U0001D525"},
    {"hksearow", u"\u2925"}, {"hkswarow", u"\u2926"}, {"hoarr", u"\u21FF"}, {"homtht", u"\u223B"},
    {"hookleftarrow", u"\u21A9"}, {"hookrightarrow", u"\u21AA"}, {"hopf", u"\U0001D559"},
    {"horbar", u"\u2015"}, {"hscr", u"\U0001D4BD"}, {"hslash", u"\u210F"}, {"hstrok", u"\u0127"},
    {"hybull", u"\u2043"}, {"hyphen", u"\u2010"}, {"iacute", u"\u00ED"}, {"ic", u"\u2063"},
    {"icirc", u"\u00EE"}, {"icy", u"\u0438"}, {"iecy", u"\u0435"}, {"iexcl", u"\u00A1"},
    {"iff", u"\u21D4"}, {"ifr", u"\U0001D526"}, {"igrave", u"\u00EC"}, {"ii", u"\u2148"},
    {"iiiint", u"\u2A0C"}, {"iiint", u"\u222D"}, {"iinfin", u"\u29DC"}, {"iiota", u"\u2129"},
    {"ijlig", u"\u0133"}, {"imacr", u"\u012B"}, {"image", u"\u2111"}, {"imagline", u"\u2110"},
    {"imagpart", u"\u2111"}, {"imath", u"\u0131"}, {"imof", u"\u22B7"}, {"imped", u"\u01B5"},
    {"in", u"\u2208"}, {"incare", u"\u2105"}, {"infin", u"\u221E"}, {"infintie", u"\u29DD"},
    {"inodot", u"\u0131"}, {"int", u"\u222B"}, {"intcal", u"\u22BA"}, {"integers", u"\u2124"},
    {"intercal", u"\u22BA"}, {"intlarhk", u"\u2A17"}, {"intprod", u"\u2A3C"}, {"iocy", u"\u0451"},
    {"iogon", u"\u012F"}, {"iopf", u"\U0001D55A"}, {"iota", u"\u03B9"}, {"iprod", u"\u2A3C"},
    {"iquest", u"\u00BF"}, {"iscr", u"\U0001D4BE"}, {"isin", u"\u2208"}, {"isinE", u"\u22F9"},
    {"isindot", u"\u22F5"}, {"isins", u"\u22F4"}, {"isinsv", u"\u22F3"}, {"isinv", u"\u2208"},
    {"it", u"\u2062"}, {"itilde", u"\u0129"}, {"iukcy", u"\u0456"}, {"iuml", u"\u00EF"},
    {"jcirc", u"\u0135"}, {"jcy", u"\u0439"}, {"jfr", u"\U0001D527"}, {"jmath", u"\u0237"},
    {"jopf", u"\U0001D55B"}, {"jscr", u"\U0001D4BF"}, {"jsercy", u"\u0458"}, {"jukcy", u"\u0454"},
    {"kappa", u"\u03BA"}, {"kappav", u"\u03F0"}, {"kcedil", u"\u0137"}, {"kcy", u"\u043A"},
    {"kfr", u"\U0001D528"}, {"kgreen", u"\u0138"}, {"khcy", u"\u0445"}, {"kjcy", u"\u045C"},
    {"kopf", u"\U0001D55C"}, {"kscr", u"\U0001D4C0"}, {"lAarr", u"\u21DA"}, {"lArr", u"\u21D0"},
    {"lAtail", u"\u291B"}, {"lBarr", u"\u290E"}, {"lE", u"\u2266"}, {"lEg", u"\u2A8B"},
    {"lHar", u"\u2962"}, {"lacute", u"\u013A"}, {"laemptyv", u"\u29B4"}, {"lagran", u"\u2112"},
    {"lambda", u"\u03BB"}, {"lang", u"\u27E8"}, {"langd", u"\u2991"}, {"langle", u"\u27E8"},
    {"lap", u"\u2A85"}, {"laquo", u"\u00AB"}, {"larr", u"\u2190"}, {"larrb", u"\u21E4"},
    {"larrbfs", u"\u291F"}, {"larrfs", u"\u291D"}, {"larrhk", u"\u21A9"}, {"larrlp", u"\u21AB"},
    {"larrpl", u"\u2939"}, {"larrsim", u"\u2973"}, {"larrtl", u"\u21A2"}, {"lat", u"\u2AAB"},
    {"latail", u"\u2919"}, {"late", u"\u2AAD"}, {"lates", u"\u2AAD\uFE00"}, {"lbarr", u"\u290C"},
    {"lbbrk", u"\u2772"}, {"lbrace", u"{"}, {"lbrack", u"["}, {"lbrke", u"\u298B"},
    {"lbrksld", u"\u298F"}, {"lbrkslu", u"\u298D"}, {"lcaron", u"\u013E"}, {"lcedil", u"\u013C"},
    {"lceil", u"\u2308"}, {"lcub", u"{"}, {"lcy", u"\u043B"}, {"ldca", u"\u2936"},
    {"ldquo", u"\u201C"}, {"ldquor", u"\u201E"}, {"ldrdhar", u"\u2967"}, {"ldrushar", u"\u294B"},
    {"ldsh", u"\u21B2"}, {"le", u"\u2264"}, {"leftarrow", u"\u2190"}, {"leftarrowtail", u"\u21A2"},
    {"leftharpoondown", u"\u21BD"}, {"leftharpoonup", u"\u21BC"}, {"leftleftarrows", u"\u21C7"},
    {"leftrightarrow", u"\u2194"}, {"leftrightarrows", u"\u21C6"},
    {"leftrightharpoons", u"\u21CB"}, {"leftrightsquigarrow", u"\u21AD"},
    {"leftthreetimes", u"\u22CB"}, {"leg", u"\u22DA"}, {"leq", u"\u2264"}, {"leqq", u"\u2266"},
    {"leqslant", u"\u2A7D"}, {"les", u"\u2A7D"}, {"lescc", u"\u2AA8"}, {"lesdot", u"\u2A7F"},
    {"lesdoto", u"\u2A81"}, {"lesdotor", u"\u2A83"}, {"lesg", u"\u22DA\uFE00"},
    {"lesges", u"\u2A93"}, {"lessapprox", u"\u2A85"}, {"lessdot", u"\u22D6"},
    {"lesseqgtr", u"\u22DA"}, {"lesseqqgtr", u"\u2A8B"}, {"lessgtr", u"\u2276"},
    {"lesssim", u"\u2272"}, {"lfisht", u"\u297C"}, {"lfloor", u"\u230A"}, {"lfr", u"\U0001D529"},
    {"lg", u"\u2276"}, {"lgE", u"\u2A91"}, {"lhard", u"\u21BD"}, {"lharu", u"\u21BC"},
    {"lharul", u"\u296A"}, {"lhblk", u"\u2584"}, {"ljcy", u"\u0459"}, {"ll", u"\u226A"},
    {"llarr", u"\u21C7"}, {"llcorner", u"\u231E"}, {"llhard", u"\u296B"}, {"lltri", u"\u25FA"},
    {"lmidot", u"\u0140"}, {"lmoust", u"\u23B0"}, {"lmoustache", u"\u23B0"}, {"lnE", u"\u2268"},
    {"lnap", u"\u2A89"}, {"lnapprox", u"\u2A89"}, {"lne", u"\u2A87"}, {"lneq", u"\u2A87"},
    {"lneqq", u"\u2268"}, {"lnsim", u"\u22E6"}, {"loang", u"\u27EC"}, {"loarr", u"\u21FD"},
    {"lobrk", u"\u27E6"}, {"longleftarrow", u"\u27F5"}, {"longleftrightarrow", u"\u27F7"},
    {"longmapsto", u"\u27FC"}, {"longrightarrow", u"\u27F6"}, {"looparrowleft", u"\u21AB"},
    {"looparrowright", u"\u21AC"}, {"lopar", u"\u2985"}, {"lopf", u"\U0001D55D"},
    {"loplus", u"\u2A2D"}, {"lotimes", u"\u2A34"}, {"lowast", u"\u2217"}, {"lowbar", u"_"},
    {"loz", u"\u25CA"}, {"lozenge", u"\u25CA"}, {"lozf", u"\u29EB"}, {"lpar", u"("},
    {"lparlt", u"\u2993"}, {"lrarr", u"\u21C6"}, {"lrcorner", u"\u231F"}, {"lrhar", u"\u21CB"},
    {"lrhard", u"\u296D"}, {"lrm", u"\u200E"}, {"lrtri", u"\u22BF"}, {"lsaquo", u"\u2039"},
    {"lscr", u"\U0001D4C1"}, {"lsh", u"\u21B0"}, {"lsim", u"\u2272"}, {"lsime", u"\u2A8D"},
    {"lsimg", u"\u2A8F"}, {"lsqb", u"["}, {"lsquo", u"\u2018"}, {"lsquor", u"\u201A"},
    {"lstrok", u"\u0142"}, {"lt", u"<"}, {"ltcc", u"\u2AA6"}, {"ltcir", u"\u2A79"},
    {"ltdot", u"\u22D6"}, {"lthree", u"\u22CB"}, {"ltimes", u"\u22C9"}, {"ltlarr", u"\u2976"},
    {"ltquest", u"\u2A7B"}, {"ltrPar", u"\u2996"}, {"ltri", u"\u25C3"}, {"ltrie", u"\u22B4"},
    {"ltrif", u"\u25C2"}, {"lurdshar", u"\u294A"}, {"luruhar", u"\u2966"},
    {"lvertneqq", u"\u2268\uFE00"}, {"lvnE", u"\u2268\uFE00"}, {"mDDot", u"\u223A"},
    {"macr", u"\u00AF"}, {"male", u"\u2642"}, {"malt", u"\u2720"}, {"maltese", u"\u2720"},
    {"map", u"\u21A6"}, {"mapsto", u"\u21A6"}, {"mapstodown", u"\u21A7"},
    {"mapstoleft", u"\u21A4"}, {"mapstoup", u"\u21A5"}, {"marker", u"\u25AE"},
    {"mcomma", u"\u2A29"}, {"mcy", u"\u043C"}, {"mdash", u"\u2014"}, {"measuredangle", u"\u2221"},
    {"mfr", u"\U0001D52A"}, {"mho", u"\u2127"}, {"micro", u"\u00B5"}, {"mid", u"\u2223"},
    {"midast", u"*"}, {"midcir", u"\u2AF0"}, {"middot", u"\u00B7"}, {"minus", u"\u2212"},
    {"minusb", u"\u229F"}, {"minusd", u"\u2238"}, {"minusdu", u"\u2A2A"}, {"mlcp", u"\u2ADB"},
    {"mldr", u"\u2026"}, {"mnplus", u"\u2213"}, {"models", u"\u22A7"}, {"mopf", u"\U0001D55E"},
    {"mp", u"\u2213"}, {"mscr", u"\U0001D4C2"}, {"mstpos", u"\u223E"}, {"mu", u"\u03BC"},
    {"multimap", u"\u22B8"}, {"mumap", u"\u22B8"}, {"nGg", u"\u22D9\u0338"},
    {"nGt", u"\u226B\u20D2"}, {"nGtv", u"\u226B\u0338"}, {"nLeftarrow", u"\u21CD"},
    {"nLeftrightarrow", u"\u21CE"}, {"nLl", u"\u22D8\u0338"}, {"nLt", u"\u226A\u20D2"},
    {"nLtv", u"\u226A\u0338"}, {"nRightarrow", u"\u21CF"}, {"nVDash", u"\u22AF"},
    {"nVdash", u"\u22AE"}, {"nabla", u"\u2207"}, {"nacute", u"\u0144"}, {"nang", u"\u2220\u20D2"},
    {"nap", u"\u2249"}, {"napE", u"\u2A70\u0338"}, {"napid", u"\u224B\u0338"},
    {"napos", u"\u0149"}, {"napprox", u"\u2249"}, {"natur", u"\u266E"}, {"natural", u"\u266E"},
    {"naturals", u"\u2115"}, {"nbsp", u"\u00A0"}, {"nbump", u"\u224E\u0338"},
    {"nbumpe", u"\u224F\u0338"}, {"ncap", u"\u2A43"}, {"ncaron", u"\u0148"}, {"ncedil", u"\u0146"},
    {"ncong", u"\u2247"}, {"ncongdot", u"\u2A6D\u0338"}, {"ncup", u"\u2A42"}, {"ncy", u"\u043D"},
    {"ndash", u"\u2013"}, {"ne", u"\u2260"}, {"neArr", u"\u21D7"}, {"nearhk", u"\u2924"},
    {"nearr", u"\u2197"}, {"nearrow", u"\u2197"}, {"nedot", u"\u2250\u0338"},
    {"nequiv", u"\u2262"}, {"nesear", u"\u2928"}, {"nesim", u"\u2242\u0338"},
    {"nexist", u"\u2204"}, {"nexists", u"\u2204"}, {"nfr", u"\U0001D52B"},
    {"ngE", u"\u2267\u0338"}, {"nge", u"\u2271"}, {"ngeq", u"\u2271"}, {"ngeqq", u"\u2267\u0338"},
    {"ngeqslant", u"\u2A7E\u0338"}, {"nges", u"\u2A7E\u0338"}, {"ngsim", u"\u2275"},
    {"ngt", u"\u226F"}, {"ngtr", u"\u226F"}, {"nhArr", u"\u21CE"}, {"nharr", u"\u21AE"},
    {"nhpar", u"\u2AF2"}, {"ni", u"\u220B"}, {"nis", u"\u22FC"}, {"nisd", u"\u22FA"},
    {"niv", u"\u220B"}, {"njcy", u"\u045A"}, {"nlArr", u"\u21CD"}, {"nlE", u"\u2266\u0338"},
    {"nlarr", u"\u219A"}, {"nldr", u"\u2025"}, {"nle", u"\u2270"}, {"nleftarrow", u"\u219A"},
    {"nleftrightarrow", u"\u21AE"}, {"nleq", u"\u2270"}, {"nleqq", u"\u2266\u0338"},
    {"nleqslant", u"\u2A7D\u0338"}, {"nles", u"\u2A7D\u0338"}, {"nless", u"\u226E"},
    {"nlsim", u"\u2274"}, {"nlt", u"\u226E"}, {"nltri", u"\u22EA"}, {"nltrie", u"\u22EC"},
    {"nmid", u"\u2224"}, {"nopf", u"\U0001D55F"}, {"not", u"\u00AC"}, {"notin", u"\u2209"},
    {"notinE", u"\u22F9\u0338"}, {"notindot", u"\u22F5\u0338"}, {"notinva", u"\u2209"},
    {"notinvb", u"\u22F7"}, {"notinvc", u"\u22F6"}, {"notni", u"\u220C"}, {"notniva", u"\u220C"},
    {"notnivb", u"\u22FE"}, {"notnivc", u"\u22FD"}, {"npar", u"\u2226"}, {"nparallel", u"\u2226"},
    {"nparsl", u"\u2AFD\u20E5"}, {"npart", u"\u2202\u0338"}, {"npolint", u"\u2A14"},
    {"npr", u"\u2280"}, {"nprcue", u"\u22E0"}, {"npre", u"\u2AAF\u0338"}, {"nprec", u"\u2280"},
    {"npreceq", u"\u2AAF\u0338"}, {"nrArr", u"\u21CF"}, {"nrarr", u"\u219B"},
    {"nrarrc", u"\u2933\u0338"}, {"nrarrw", u"\u219D\u0338"}, {"nrightarrow", u"\u219B"},
    {"nrtri", u"\u22EB"}, {"nrtrie", u"\u22ED"}, {"nsc", u"\u2281"}, {"nsccue", u"\u22E1"},
    {"nsce", u"\u2AB0\u0338"}, {"nscr", u"\U0001D4C3"}, {"nshortmid", u"\u2224"},
    {"nshortparallel", u"\u2226"}, {"nsim", u"\u2241"}, {"nsime", u"\u2244"},
    {"nsimeq", u"\u2244"}, {"nsmid", u"\u2224"}, {"nspar", u"\u2226"}, {"nsqsube", u"\u22E2"},
    {"nsqsupe", u"\u22E3"}, {"nsub", u"\u2284"}, {"nsubE", u"\u2AC5\u0338"}, {"nsube", u"\u2288"},
    {"nsubset", u"\u2282\u20D2"}, {"nsubseteq", u"\u2288"}, {"nsubseteqq", u"\u2AC5\u0338"},
    {"nsucc", u"\u2281"}, {"nsucceq", u"\u2AB0\u0338"}, {"nsup", u"\u2285"},
    {"nsupE", u"\u2AC6\u0338"}, {"nsupe", u"\u2289"}, {"nsupset", u"\u2283\u20D2"},
    {"nsupseteq", u"\u2289"}, {"nsupseteqq", u"\u2AC6\u0338"}, {"ntgl", u"\u2279"},
    {"ntilde", u"\u00F1"}, {"ntlg", u"\u2278"}, {"ntriangleleft", u"\u22EA"},
    {"ntrianglelefteq", u"\u22EC"}, {"ntriangleright", u"\u22EB"}, {"ntrianglerighteq", u"\u22ED"},
    {"nu", u"\u03BD"}, {"num", u"#"}, {"numero", u"\u2116"}, {"numsp", u"\u2007"},
    {"nvDash", u"\u22AD"}, {"nvHarr", u"\u2904"}, {"nvap", u"\u224D\u20D2"}, {"nvdash", u"\u22AC"},
    {"nvge", u"\u2265\u20D2"}, {"nvgt", u">\u20D2"}, {"nvinfin", u"\u29DE"}, {"nvlArr", u"\u2902"},
    {"nvle", u"\u2264\u20D2"}, {"nvlt", u"<\u20D2"}, {"nvltrie", u"\u22B4\u20D2"},
    {"nvrArr", u"\u2903"}, {"nvrtrie", u"\u22B5\u20D2"}, {"nvsim", u"\u223C\u20D2"},
    {"nwArr", u"\u21D6"}, {"nwarhk", u"\u2923"}, {"nwarr", u"\u2196"}, {"nwarrow", u"\u2196"},
    {"nwnear", u"\u2927"}, {"oS", u"\u24C8"}, {"oacute", u"\u00F3"}, {"oast", u"\u229B"},
    {"ocir", u"\u229A"}, {"ocirc", u"\u00F4"}, {"ocy", u"\u043E"}, {"odash", u"\u229D"},
    {"odblac", u"\u0151"}, {"odiv", u"\u2A38"}, {"odot", u"\u2299"}, {"odsold", u"\u29BC"},
    {"oelig", u"\u0153"}, {"ofcir", u"\u29BF"}, {"ofr", u"\U0001D52C"}, {"ogon", u"\u02DB"},
    {"ograve", u"\u00F2"}, {"ogt", u"\u29C1"}, {"ohbar", u"\u29B5"}, {"ohm", u"\u03A9"},
    {"oint", u"\u222E"}, {"olarr", u"\u21BA"}, {"olcir", u"\u29BE"}, {"olcross", u"\u29BB"},
    {"oline", u"\u203E"}, {"olt", u"\u29C0"}, {"omacr", u"\u014D"}, {"omega", u"\u03C9"},
    {"omicron", u"\u03BF"}, {"omid", u"\u29B6"}, {"ominus", u"\u2296"}, {"oopf", u"\U0001D560"},
    {"opar", u"\u29B7"}, {"operp", u"\u29B9"}, {"oplus", u"\u2295"}, {"or", u"\u2228"},
    {"orarr", u"\u21BB"}, {"ord", u"\u2A5D"}, {"order", u"\u2134"}, {"orderof", u"\u2134"},
    {"ordf", u"\u00AA"}, {"ordm", u"\u00BA"}, {"origof", u"\u22B6"}, {"oror", u"\u2A56"},
    {"orslope", u"\u2A57"}, {"orv", u"\u2A5B"}, {"oscr", u"\u2134"}, {"oslash", u"\u00F8"},
    {"osol", u"\u2298"}, {"otilde", u"\u00F5"}, {"otimes", u"\u2297"}, {"otimesas", u"\u2A36"},
    {"ouml", u"\u00F6"}, {"ovbar", u"\u233D"}, {"par", u"\u2225"}, {"para", u"\u00B6"},
    {"parallel", u"\u2225"}, {"parsim", u"\u2AF3"}, {"parsl", u"\u2AFD"}, {"part", u"\u2202"},
    {"pcy", u"\u043F"}, {"percnt", u"%"}, {"period", u"."}, {"permil", u"\u2030"},
    {"perp", u"\u22A5"}, {"pertenk", u"\u2031"}, {"pfr", u"\U0001D52D"}, {"phi", u"\u03C6"},
    {"phiv", u"\u03D5"}, {"phmmat", u"\u2133"}, {"phone", u"\u260E"}, {"pi", u"\u03C0"},
    {"pitchfork", u"\u22D4"}, {"piv", u"\u03D6"}, {"planck", u"\u210F"}, {"planckh", u"\u210E"},
    {"plankv", u"\u210F"}, {"plus", u"+"}, {"plusacir", u"\u2A23"}, {"plusb", u"\u229E"},
    {"pluscir", u"\u2A22"}, {"plusdo", u"\u2214"}, {"plusdu", u"\u2A25"}, {"pluse", u"\u2A72"},
    {"plusmn", u"\u00B1"}, {"plussim", u"\u2A26"}, {"plustwo", u"\u2A27"}, {"pm", u"\u00B1"},
    {"pointint", u"\u2A15"}, {"popf", u"\U0001D561"}, {"pound", u"\u00A3"}, {"pr", u"\u227A"},
    {"prE", u"\u2AB3"}, {"prap", u"\u2AB7"}, {"prcue", u"\u227C"}, {"pre", u"\u2AAF"},
    {"prec", u"\u227A"}, {"precapprox", u"\u2AB7"}, {"preccurlyeq", u"\u227C"},
    {"preceq", u"\u2AAF"}, {"precnapprox", u"\u2AB9"}, {"precneqq", u"\u2AB5"},
    {"precnsim", u"\u22E8"}, {"precsim", u"\u227E"}, {"prime", u"\u2032"}, {"primes", u"\u2119"},
    {"prnE", u"\u2AB5"}, {"prnap", u"\u2AB9"}, {"prnsim", u"\u22E8"}, {"prod", u"\u220F"},
    {"profalar", u"\u232E"}, {"profline", u"\u2312"}, {"profsurf", u"\u2313"}, {"prop", u"\u221D"},
    {"propto", u"\u221D"}, {"prsim", u"\u227E"}, {"prurel", u"\u22B0"}, {"pscr", u"\U0001D4C5"},
    {"psi", u"\u03C8"}, {"puncsp", u"\u2008"}, {"qfr", u"\U0001D52E"}, {"qint", u"\u2A0C"},
    {"qopf", u"\U0001D562"}, {"qprime", u"\u2057"}, {"qscr", u"\U0001D4C6"},
    {"quaternions", u"\u210D"}, {"quatint", u"\u2A16"}, {"quest", u"?"}, {"questeq", u"\u225F"},
    {"quot", u"\u0022"}, {"rAarr", u"\u21DB"}, {"rArr", u"\u21D2"}, {"rAtail", u"\u291C"},
    {"rBarr", u"\u290F"}, {"rHar", u"\u2964"}, {"race", u"\u223D\u0331"}, {"racute", u"\u0155"},
    {"radic", u"\u221A"}, {"raemptyv", u"\u29B3"}, {"rang", u"\u27E9"}, {"rangd", u"\u2992"},
    {"range", u"\u29A5"}, {"rangle", u"\u27E9"}, {"raquo", u"\u00BB"}, {"rarr", u"\u2192"},
    {"rarrap", u"\u2975"}, {"rarrb", u"\u21E5"}, {"rarrbfs", u"\u2920"}, {"rarrc", u"\u2933"},
    {"rarrfs", u"\u291E"}, {"rarrhk", u"\u21AA"}, {"rarrlp", u"\u21AC"}, {"rarrpl", u"\u2945"},
    {"rarrsim", u"\u2974"}, {"rarrtl", u"\u21A3"}, {"rarrw", u"\u219D"}, {"ratail", u"\u291A"},
    {"ratio", u"\u2236"}, {"rationals", u"\u211A"}, {"rbarr", u"\u290D"}, {"rbbrk", u"\u2773"},
    {"rbrace", u"}"}, {"rbrack", u"]"}, {"rbrke", u"\u298C"}, {"rbrksld", u"\u298E"},
    {"rbrkslu", u"\u2990"}, {"rcaron", u"\u0159"}, {"rcedil", u"\u0157"}, {"rceil", u"\u2309"},
    {"rcub", u"}"}, {"rcy", u"\u0440"}, {"rdca", u"\u2937"}, {"rdldhar", u"\u2969"},
    {"rdquo", u"\u201D"}, {"rdquor", u"\u201D"}, {"rdsh", u"\u21B3"}, {"real", u"\u211C"},
    {"realine", u"\u211B"}, {"realpart", u"\u211C"}, {"reals", u"\u211D"}, {"rect", u"\u25AD"},
    {"reg", u"\u00AE"}, {"rfisht", u"\u297D"}, {"rfloor", u"\u230B"}, {"rfr", u"\U0001D52F"},
    {"rhard", u"\u21C1"}, {"rharu", u"\u21C0"}, {"rharul", u"\u296C"}, {"rho", u"\u03C1"},
    {"rhov", u"\u03F1"}, {"rightarrow", u"\u2192"}, {"rightarrowtail", u"\u21A3"},
    {"rightharpoondown", u"\u21C1"}, {"rightharpoonup", u"\u21C0"}, {"rightleftarrows", u"\u21C4"},
    {"rightleftharpoons", u"\u21CC"}, {"rightrightarrows", u"\u21C9"},
    {"rightsquigarrow", u"\u219D"}, {"rightthreetimes", u"\u22CC"}, {"ring", u"\u02DA"},
    {"risingdotseq", u"\u2253"}, {"rlarr", u"\u21C4"}, {"rlhar", u"\u21CC"}, {"rlm", u"\u200F"},
    {"rmoust", u"\u23B1"}, {"rmoustache", u"\u23B1"}, {"rnmid", u"\u2AEE"}, {"roang", u"\u27ED"},
    {"roarr", u"\u21FE"}, {"robrk", u"\u27E7"}, {"ropar", u"\u2986"}, {"ropf", u"\U0001D563"},
    {"roplus", u"\u2A2E"}, {"rotimes", u"\u2A35"}, {"rpar", u")"}, {"rpargt", u"\u2994"},
    {"rppolint", u"\u2A12"}, {"rrarr", u"\u21C9"}, {"rsaquo", u"\u203A"}, {"rscr", u"\U0001D4C7"},
    {"rsh", u"\u21B1"}, {"rsqb", u"]"}, {"rsquo", u"\u2019"}, {"rsquor", u"\u2019"},
    {"rthree", u"\u22CC"}, {"rtimes", u"\u22CA"}, {"rtri", u"\u25B9"}, {"rtrie", u"\u22B5"},
    {"rtrif", u"\u25B8"}, {"rtriltri", u"\u29CE"}, {"ruluhar", u"\u2968"}, {"rx", u"\u211E"},
    {"sacute", u"\u015B"}, {"sbquo", u"\u201A"}, {"sc", u"\u227B"}, {"scE", u"\u2AB4"},
    {"scap", u"\u2AB8"}, {"scaron", u"\u0161"}, {"sccue", u"\u227D"}, {"sce", u"\u2AB0"},
    {"scedil", u"\u015F"}, {"scirc", u"\u015D"}, {"scnE", u"\u2AB6"}, {"scnap", u"\u2ABA"},
    {"scnsim", u"\u22E9"}, {"scpolint", u"\u2A13"}, {"scsim", u"\u227F"}, {"scy", u"\u0441"},
    {"sdot", u"\u22C5"}, {"sdotb", u"\u22A1"}, {"sdote", u"\u2A66"}, {"seArr", u"\u21D8"},
    {"searhk", u"\u2925"}, {"searr", u"\u2198"}, {"searrow", u"\u2198"}, {"sect", u"\u00A7"},
    {"semi", u";"}, {"seswar", u"\u2929"}, {"setminus", u"\u2216"}, {"setmn", u"\u2216"},
    {"sext", u"\u2736"}, {"sfr", u"\U0001D530"}, {"sfrown", u"\u2322"}, {"sharp", u"\u266F"},
    {"shchcy", u"\u0449"}, {"shcy", u"\u0448"}, {"shortmid", u"\u2223"},
    {"shortparallel", u"\u2225"}, {"shy", u"\u00AD"}, {"sigma", u"\u03C3"}, {"sigmaf", u"\u03C2"},
    {"sigmav", u"\u03C2"}, {"sim", u"\u223C"}, {"simdot", u"\u2A6A"}, {"sime", u"\u2243"},
    {"simeq", u"\u2243"}, {"simg", u"\u2A9E"}, {"simgE", u"\u2AA0"}, {"siml", u"\u2A9D"},
    {"simlE", u"\u2A9F"}, {"simne", u"\u2246"}, {"simplus", u"\u2A24"}, {"simrarr", u"\u2972"},
    {"slarr", u"\u2190"}, {"smallsetminus", u"\u2216"}, {"smashp", u"\u2A33"},
    {"smeparsl", u"\u29E4"}, {"smid", u"\u2223"}, {"smile", u"\u2323"}, {"smt", u"\u2AAA"},
    {"smte", u"\u2AAC"}, {"smtes", u"\u2AAC\uFE00"}, {"softcy", u"\u044C"}, {"sol", u"/"},
    {"solb", u"\u29C4"}, {"solbar", u"\u233F"}, {"sopf", u"\U0001D564"}, {"spades", u"\u2660"},
    {"spadesuit", u"\u2660"}, {"spar", u"\u2225"}, {"sqcap", u"\u2293"},
    {"sqcaps", u"\u2293\uFE00"}, {"sqcup", u"\u2294"}, {"sqcups", u"\u2294\uFE00"},
    {"sqsub", u"\u228F"}, {"sqsube", u"\u2291"}, {"sqsubset", u"\u228F"},
    {"sqsubseteq", u"\u2291"}, {"sqsup", u"\u2290"}, {"sqsupe", u"\u2292"},
    {"sqsupset", u"\u2290"}, {"sqsupseteq", u"\u2292"}, {"squ", u"\u25A1"}, {"square", u"\u25A1"},
    {"squarf", u"\u25AA"}, {"squf", u"\u25AA"}, {"srarr", u"\u2192"}, {"sscr", u"\U0001D4C8"},
    {"ssetmn", u"\u2216"}, {"ssmile", u"\u2323"}, {"sstarf", u"\u22C6"}, {"star", u"\u2606"},
    {"starf", u"\u2605"}, {"straightepsilon", u"\u03F5"}, {"straightphi", u"\u03D5"},
    {"strns", u"\u00AF"}, {"sub", u"\u2282"}, {"subE", u"\u2AC5"}, {"subdot", u"\u2ABD"},
    {"sube", u"\u2286"}, {"subedot", u"\u2AC3"}, {"submult", u"\u2AC1"}, {"subnE", u"\u2ACB"},
    {"subne", u"\u228A"}, {"subplus", u"\u2ABF"}, {"subrarr", u"\u2979"}, {"subset", u"\u2282"},
    {"subseteq", u"\u2286"}, {"subseteqq", u"\u2AC5"}, {"subsetneq", u"\u228A"},
    {"subsetneqq", u"\u2ACB"}, {"subsim", u"\u2AC7"}, {"subsub", u"\u2AD5"}, {"subsup", u"\u2AD3"},
    {"succ", u"\u227B"}, {"succapprox", u"\u2AB8"}, {"succcurlyeq", u"\u227D"},
    {"succeq", u"\u2AB0"}, {"succnapprox", u"\u2ABA"}, {"succneqq", u"\u2AB6"},
    {"succnsim", u"\u22E9"}, {"succsim", u"\u227F"}, {"sum", u"\u2211"}, {"sung", u"\u266A"},
    {"sup", u"\u2283"}, {"sup1", u"\u00B9"}, {"sup2", u"\u00B2"}, {"sup3", u"\u00B3"},
    {"supE", u"\u2AC6"}, {"supdot", u"\u2ABE"}, {"supdsub", u"\u2AD8"}, {"supe", u"\u2287"},
    {"supedot", u"\u2AC4"}, {"suphsol", u"\u27C9"}, {"suphsub", u"\u2AD7"}, {"suplarr", u"\u297B"},
    {"supmult", u"\u2AC2"}, {"supnE", u"\u2ACC"}, {"supne", u"\u228B"}, {"supplus", u"\u2AC0"},
    {"supset", u"\u2283"}, {"supseteq", u"\u2287"}, {"supseteqq", u"\u2AC6"},
    {"supsetneq", u"\u228B"}, {"supsetneqq", u"\u2ACC"}, {"supsim", u"\u2AC8"},
    {"supsub", u"\u2AD4"}, {"supsup", u"\u2AD6"}, {"swArr", u"\u21D9"}, {"swarhk", u"\u2926"},
    {"swarr", u"\u2199"}, {"swarrow", u"\u2199"}, {"swnwar", u"\u292A"}, {"szlig", u"\u00DF"},
    {"target", u"\u2316"}, {"tau", u"\u03C4"}, {"tbrk", u"\u23B4"}, {"tcaron", u"\u0165"},
    {"tcedil", u"\u0163"}, {"tcy", u"\u0442"}, {"tdot", u"\u20DB"}, {"telrec", u"\u2315"},
    {"tfr", u"\U0001D531"}, {"there4", u"\u2234"}, {"therefore", u"\u2234"}, {"theta", u"\u03B8"},
    {"thetasym", u"\u03D1"}, {"thetav", u"\u03D1"}, {"thickapprox", u"\u2248"},
    {"thicksim", u"\u223C"}, {"thinsp", u"\u2009"}, {"thkap", u"\u2248"}, {"thksim", u"\u223C"},
    {"thorn", u"\u00FE"}, {"tilde", u"\u02DC"}, {"times", u"\u00D7"}, {"timesb", u"\u22A0"},
    {"timesbar", u"\u2A31"}, {"timesd", u"\u2A30"}, {"tint", u"\u222D"}, {"toea", u"\u2928"},
    {"top", u"\u22A4"}, {"topbot", u"\u2336"}, {"topcir", u"\u2AF1"}, {"topf", u"\U0001D565"},
    {"topfork", u"\u2ADA"}, {"tosa", u"\u2929"}, {"tprime", u"\u2034"}, {"trade", u"\u2122"},
    {"triangle", u"\u25B5"}, {"triangledown", u"\u25BF"}, {"triangleleft", u"\u25C3"},
    {"trianglelefteq", u"\u22B4"}, {"triangleq", u"\u225C"}, {"triangleright", u"\u25B9"},
    {"trianglerighteq", u"\u22B5"}, {"tridot", u"\u25EC"}, {"trie", u"\u225C"},
    {"triminus", u"\u2A3A"}, {"triplus", u"\u2A39"}, {"trisb", u"\u29CD"}, {"tritime", u"\u2A3B"},
    {"trpezium", u"\u23E2"}, {"tscr", u"\U0001D4C9"}, {"tscy", u"\u0446"}, {"tshcy", u"\u045B"},
    {"tstrok", u"\u0167"}, {"twixt", u"\u226C"}, {"twoheadleftarrow", u"\u219E"},
    {"twoheadrightarrow", u"\u21A0"}, {"uArr", u"\u21D1"}, {"uHar", u"\u2963"},
    {"uacute", u"\u00FA"}, {"uarr", u"\u2191"}, {"ubrcy", u"\u045E"}, {"ubreve", u"\u016D"},
    {"ucirc", u"\u00FB"}, {"ucy", u"\u0443"}, {"udarr", u"\u21C5"}, {"udblac", u"\u0171"},
    {"udhar", u"\u296E"}, {"ufisht", u"\u297E"}, {"ufr", u"\U0001D532"}, {"ugrave", u"\u00F9"},
    {"uharl", u"\u21BF"}, {"uharr", u"\u21BE"}, {"uhblk", u"\u2580"}, {"ulcorn", u"\u231C"},
    {"ulcorner", u"\u231C"}, {"ulcrop", u"\u230F"}, {"ultri", u"\u25F8"}, {"umacr", u"\u016B"},
    {"uml", u"\u00A8"}, {"uogon", u"\u0173"}, {"uopf", u"\U0001D566"}, {"uparrow", u"\u2191"},
    {"updownarrow", u"\u2195"}, {"upharpoonleft", u"\u21BF"}, {"upharpoonright", u"\u21BE"},
    {"uplus", u"\u228E"}, {"upsi", u"\u03C5"}, {"upsih", u"\u03D2"}, {"upsilon", u"\u03C5"},
    {"upuparrows", u"\u21C8"}, {"urcorn", u"\u231D"}, {"urcorner", u"\u231D"},
    {"urcrop", u"\u230E"}, {"uring", u"\u016F"}, {"urtri", u"\u25F9"}, {"uscr", u"\U0001D4CA"},
    {"utdot", u"\u22F0"}, {"utilde", u"\u0169"}, {"utri", u"\u25B5"}, {"utrif", u"\u25B4"},
    {"uuarr", u"\u21C8"}, {"uuml", u"\u00FC"}, {"uwangle", u"\u29A7"}, {"vArr", u"\u21D5"},
    {"vBar", u"\u2AE8"}, {"vBarv", u"\u2AE9"}, {"vDash", u"\u22A8"}, {"vangrt", u"\u299C"},
    {"varepsilon", u"\u03F5"}, {"varkappa", u"\u03F0"}, {"varnothing", u"\u2205"},
    {"varphi", u"\u03D5"}, {"varpi", u"\u03D6"}, {"varpropto", u"\u221D"}, {"varr", u"\u2195"},
    {"varrho", u"\u03F1"}, {"varsigma", u"\u03C2"}, {"varsubsetneq", u"\u228A\uFE00"},
    {"varsubsetneqq", u"\u2ACB\uFE00"}, {"varsupsetneq", u"\u228B\uFE00"},
    {"varsupsetneqq", u"\u2ACC\uFE00"}, {"vartheta", u"\u03D1"}, {"vartriangleleft", u"\u22B2"},
    {"vartriangleright", u"\u22B3"}, {"vcy", u"\u0432"}, {"vdash", u"\u22A2"}, {"vee", u"\u2228"},
    {"veebar", u"\u22BB"}, {"veeeq", u"\u225A"}, {"vellip", u"\u22EE"}, {"verbar", u"|"},
    {"vert", u"|"}, {"vfr", u"\U0001D533"}, {"vltri", u"\u22B2"}, {"vnsub", u"\u2282\u20D2"},
    {"vnsup", u"\u2283\u20D2"}, {"vopf", u"\U0001D567"}, {"vprop", u"\u221D"},
    {"vrtri", u"\u22B3"}, {"vscr", u"\U0001D4CB"}, {"vsubnE", u"\u2ACB\uFE00"},
    {"vsubne", u"\u228A\uFE00"}, {"vsupnE", u"\u2ACC\uFE00"}, {"vsupne", u"\u228B\uFE00"},
    {"vzigzag", u"\u299A"}, {"wcirc", u"\u0175"}, {"wedbar", u"\u2A5F"}, {"wedge", u"\u2227"},
    {"wedgeq", u"\u2259"}, {"weierp", u"\u2118"}, {"wfr", u"\U0001D534"}, {"wopf", u"\U0001D568"},
    {"wp", u"\u2118"}, {"wr", u"\u2240"}, {"wreath", u"\u2240"}, {"wscr", u"\U0001D4CC"},
    {"xcap", u"\u22C2"}, {"xcirc", u"\u25EF"}, {"xcup", u"\u22C3"}, {"xdtri", u"\u25BD"},
    {"xfr", u"\U0001D535"}, {"xhArr", u"\u27FA"}, {"xharr", u"\u27F7"}, {"xi", u"\u03BE"},
    {"xlArr", u"\u27F8"}, {"xlarr", u"\u27F5"}, {"xmap", u"\u27FC"}, {"xnis", u"\u22FB"},
    {"xodot", u"\u2A00"}, {"xopf", u"\U0001D569"}, {"xoplus", u"\u2A01"}, {"xotime", u"\u2A02"},
    {"xrArr", u"\u27F9"}, {"xrarr", u"\u27F6"}, {"xscr", u"\U0001D4CD"}, {"xsqcup", u"\u2A06"},
    {"xuplus", u"\u2A04"}, {"xutri", u"\u25B3"}, {"xvee", u"\u22C1"}, {"xwedge", u"\u22C0"},
    {"yacute", u"\u00FD"}, {"yacy", u"\u044F"}, {"ycirc", u"\u0177"}, {"ycy", u"\u044B"},
    {"yen", u"\u00A5"}, {"yfr", u"\U0001D536"}, {"yicy", u"\u0457"}, {"yopf", u"\U0001D56A"},
    {"yscr", u"\U0001D4CE"}, {"yucy", u"\u044E"}, {"yuml", u"\u00FF"}, {"zacute", u"\u017A"},
    {"zcaron", u"\u017E"}, {"zcy", u"\u0437"}, {"zdot", u"\u017C"}, {"zeetrf", u"\u2128"},
    {"zeta", u"\u03B6"}, {"zfr", u"\U0001D537"}, {"zhcy", u"\u0436"}, {"zigrarr", u"\u21DD"},
    {"zopf", u"\U0001D56B"}, {"zscr", u"\U0001D4CF"}, {"zwj", u"\u200D"}, {"zwnj", u"\u200C"},
};
// clang-format on

static_assert(std::is_sorted(std::begin(Entities), std::end(Entities), NameBefore));

// The entities whose names start with one ASCII character, so that a lookup
// searches a few dozen names instead of all.
struct Span {
    size_t begin = 0;
    size_t end = 0;
};

constexpr size_t AsciiSize = 128;

constexpr std::array<Span, AsciiSize> BuildInitials() {
    std::array<Span, AsciiSize> spans{};
    const size_t count = std::size(Entities);
    for (size_t i = count; i-- > 0;) {
        Span& span = spans[static_cast<unsigned char>(Entities[i].name.front())];
        span.begin = i;
        span.end = span.end == 0 ? i + 1 : span.end;
    }
    return spans;
}

constexpr std::array<Span, AsciiSize> Initials = BuildInitials();

// The table's order between a table name and a candidate, which is compared
// where it stands: names are short and a copy would cost more.
bool NameLess(std::string_view entry, QStringView name) {
    const qsizetype common = qMin(qsizetype(entry.size()), name.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t a = static_cast<unsigned char>(entry[size_t(i)]);
        if (a != name[i].unicode())
            return a < name[i].unicode();
    }
    return qsizetype(entry.size()) < name.size();
}

bool SameName(std::string_view entry, QStringView name) {
    return qsizetype(entry.size()) == name.size() &&
           std::equal(entry.begin(), entry.end(), name.begin(),
                      [](char a, QChar b) { return static_cast<unsigned char>(a) == b.unicode(); });
}

bool IsAscii(QStringView name) {
    return std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() <= 0x7F; });
}

// HTML 4's Latin-1 names, indexed by code - 160.
// clang-format off
constexpr std::array<std::string_view, 96> Latin1Names = {
    "nbsp", "iexcl", "cent", "pound", "curren", "yen", "brvbar", "sect", "uml", "copy", "ordf",
    "laquo", "not", "shy", "reg", "macr", "deg", "plusmn", "sup2", "sup3", "acute", "micro",
    "para", "middot", "cedil", "sup1", "ordm", "raquo", "frac14", "frac12", "frac34", "iquest",
    "Agrave", "Aacute", "Acirc", "Atilde", "Auml", "Aring", "AElig", "Ccedil", "Egrave", "Eacute",
    "Ecirc", "Euml", "Igrave", "Iacute", "Icirc", "Iuml", "ETH", "Ntilde", "Ograve", "Oacute",
    "Ocirc", "Otilde", "Ouml", "times", "Oslash", "Ugrave", "Uacute", "Ucirc", "Uuml", "Yacute",
    "THORN", "szlig", "agrave", "aacute", "acirc", "atilde", "auml", "aring", "aelig", "ccedil",
    "egrave", "eacute", "ecirc", "euml", "igrave", "iacute", "icirc", "iuml", "eth", "ntilde",
    "ograve", "oacute", "ocirc", "otilde", "ouml", "divide", "oslash", "ugrave", "uacute", "ucirc",
    "uuml", "yacute", "thorn", "yuml",
};
// clang-format on

constexpr int FirstLatin1 = 160;

struct Special {
    std::string_view name;
    char16_t value;
};

constexpr std::array<Special, 4> Specials = {
    {{"quot", u'"'}, {"amp", u'&'}, {"lt", u'<'}, {"gt", u'>'}}};

// A candidate name in the table's ASCII, kept on the stack because a lookup
// happens for every reference of every description.
class AsciiName {
public:
    explicit AsciiName(QStringView name) {
        if (name.isEmpty() || name.size() > LongestName || !IsAscii(name))
            return;
        for (qsizetype i = 0; i < name.size(); ++i)
            m_characters[size_t(i)] = static_cast<char>(name[i].unicode());
        m_size = static_cast<size_t>(name.size());
    }

    // Empty when the name cannot be one.
    std::string_view View() const { return {m_characters.data(), m_size}; }

private:
    std::array<char, LongestName> m_characters{};
    size_t m_size = 0;
};

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// The letters 0xC0-0xDE with their small forms 0x20 above, except the
// multiplication and division signs among them and the sharp s.
bool HasTwoCases(int code) {
    return code >= 0xC0 && code <= 0xFE && code != 0xD7 && code != 0xF7 && code != 0xDF;
}

int CaseFromSpelling(int code, QStringView name) {
    constexpr int CaseBit = 0x20;
    if (!HasTwoCases(code))
        return code;
    const bool allSmall =
        std::none_of(name.begin(), name.end(), [](QChar c) { return c.isUpper(); });
    return allSmall ? code | CaseBit : code & ~CaseBit;
}

// Beyond every code point: longer digit strings stop growing here.
constexpr qint64 TooLarge = 0x110000;
constexpr int Decimal = 10;
constexpr int Hexadecimal = 16;

int DigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + Decimal;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + Decimal;
    return -1;
}

bool IsDigit(QChar c, int base) {
    const int value = DigitValue(c);
    return value >= 0 && value < base;
}

// The value of the leading digits of `digits` (0 without any).
qint64 LeadingValue(QStringView digits, int base) {
    qint64 value = 0;
    for (qsizetype i = 0; i < digits.size() && IsDigit(digits[i], base); ++i)
        value = qMin(value * base + DigitValue(digits[i]), TooLarge);
    return value;
}

bool AllDigits(QStringView text, int base) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [base](QChar c) { return IsDigit(c, base); });
}

// Splits off the "x" of a hexadecimal reference; returns the base.
int TakeBase(QStringView& digits) {
    if (!digits.startsWith(u'x', Qt::CaseInsensitive))
        return Decimal;
    digits = digits.sliced(1);
    return Hexadecimal;
}

// The value of a numeric reference name: "#65", "#x41", and "65" as
// hand-written feeds have it.
std::optional<qint64> NumericValue(QStringView name) {
    const bool marked = name.startsWith(u'#');
    QStringView digits = name.sliced(marked ? 1 : 0);
    const int base = marked ? TakeBase(digits) : Decimal;
    if (!AllDigits(digits, base))
        return std::nullopt;
    return LeadingValue(digits, base);
}

} // namespace

Replacement::Replacement(QStringView units)
    : m_size(units.size()) {
    Q_ASSERT(units.size() <= 2);
    std::copy_n(units.utf16(), units.size(), m_units);
}

Replacement::Replacement(char32_t code)
    : m_size(QChar::requiresSurrogates(code) ? 2 : 1) {
    if (m_size == 1) {
        m_units[0] = static_cast<char16_t>(code);
        return;
    }
    m_units[0] = QChar::highSurrogate(code);
    m_units[1] = QChar::lowSurrogate(code);
}

QStringView Replacement::View() const {
    return IsNull() ? QStringView() : QStringView(m_units, m_size);
}

QString Replacement::ToString() const {
    return IsNull() ? QString() : View().toString();
}

Replacement FindNamed(QStringView name) {
    if (name.isEmpty() || name.size() > LongestName || !IsAscii(name))
        return {};
    const Span span = Initials[name.front().unicode()];
    const Entity* end = std::begin(Entities) + span.end;
    const Entity* found = std::lower_bound(
        std::begin(Entities) + span.begin, end, name,
        [](const Entity& entity, QStringView key) { return NameLess(entity.name, key); });
    if (found == end || !SameName(found->name, name))
        return {};
    return Replacement(QStringView(found->value));
}

QString Named(QStringView name) {
    return FindNamed(name).ToString();
}

Replacement FindLatin1Named(QStringView name) {
    const AsciiName kept(name);
    const std::string_view ascii = kept.View();
    if (ascii.empty())
        return {};
    for (const Special& special : Specials) {
        if (EqualsIgnoringCase(special.name, ascii))
            return Replacement(char32_t{special.value});
    }
    const auto* found =
        std::find_if(Latin1Names.begin(), Latin1Names.end(),
                     [&](std::string_view n) { return EqualsIgnoringCase(n, ascii); });
    if (found == Latin1Names.end())
        return {};
    const int code = FirstLatin1 + static_cast<int>(found - Latin1Names.begin());
    return Replacement(static_cast<char32_t>(CaseFromSpelling(code, name)));
}

QString Latin1Named(QStringView name) {
    return FindLatin1Named(name).ToString();
}

Replacement FindCodePoint(qint64 value) {
    constexpr qint64 FirstWindows1252 = 0x80;
    constexpr qint64 LastWindows1252 = 0x9F;
    if (value >= FirstWindows1252 && value <= LastWindows1252)
        return Replacement(char32_t{Windows1252::Character(static_cast<int>(value)).unicode()});
    // Qt's UTF-32 decoder, which numeric references always went through,
    // takes this character for a byte order mark and drops it.
    constexpr qint64 ByteOrderMark = 0xFEFF;
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    if (value <= 0 || value > 0x10FFFF || surrogate)
        return {};
    if (value == ByteOrderMark)
        return Replacement(QStringView(u""));
    return Replacement(static_cast<char32_t>(value));
}

QString FromCodePoint(qint64 value) {
    return FindCodePoint(value).ToString();
}

Replacement Decode(QStringView name) {
    if (const std::optional<qint64> value = NumericValue(name))
        return FindCodePoint(*value);
    if (name.startsWith(u'#'))
        return {};
    const Replacement named = FindNamed(name);
    return named.IsNull() ? FindLatin1Named(name) : named;
}

qint64 LeadingNumber(QStringView digits) {
    const int base = TakeBase(digits);
    return LeadingValue(digits, base);
}

} // namespace HtmlEntities
