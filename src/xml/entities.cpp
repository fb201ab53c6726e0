#include "xml/entities.h"

#include <array>
#include <vector>

namespace vwi {
namespace {

struct Entity {
  const char16_t* name;
  char32_t value;
};

// The character entities of HTML 4.01, and apos.
constexpr Entity kEntities[] = {
    {u"nbsp", 160},    {u"iexcl", 161},    {u"cent", 162},    {u"pound", 163},   {u"curren", 164},
    {u"yen", 165},     {u"brvbar", 166},   {u"sect", 167},    {u"uml", 168},     {u"copy", 169},
    {u"ordf", 170},    {u"laquo", 171},    {u"not", 172},     {u"shy", 173},     {u"reg", 174},
    {u"macr", 175},    {u"deg", 176},      {u"plusmn", 177},  {u"sup2", 178},    {u"sup3", 179},
    {u"acute", 180},   {u"micro", 181},    {u"para", 182},    {u"middot", 183},  {u"cedil", 184},
    {u"sup1", 185},    {u"ordm", 186},     {u"raquo", 187},   {u"frac14", 188},  {u"frac12", 189},
    {u"frac34", 190},  {u"iquest", 191},   {u"Agrave", 192},  {u"Aacute", 193},  {u"Acirc", 194},
    {u"Atilde", 195},  {u"Auml", 196},     {u"Aring", 197},   {u"AElig", 198},   {u"Ccedil", 199},
    {u"Egrave", 200},  {u"Eacute", 201},   {u"Ecirc", 202},   {u"Euml", 203},    {u"Igrave", 204},
    {u"Iacute", 205},  {u"Icirc", 206},    {u"Iuml", 207},    {u"ETH", 208},     {u"Ntilde", 209},
    {u"Ograve", 210},  {u"Oacute", 211},   {u"Ocirc", 212},   {u"Otilde", 213},  {u"Ouml", 214},
    {u"times", 215},   {u"Oslash", 216},   {u"Ugrave", 217},  {u"Uacute", 218},  {u"Ucirc", 219},
    {u"Uuml", 220},    {u"Yacute", 221},   {u"THORN", 222},   {u"szlig", 223},   {u"agrave", 224},
    {u"aacute", 225},  {u"acirc", 226},    {u"atilde", 227},  {u"auml", 228},    {u"aring", 229},
    {u"aelig", 230},   {u"ccedil", 231},   {u"egrave", 232},  {u"eacute", 233},  {u"ecirc", 234},
    {u"euml", 235},    {u"igrave", 236},   {u"iacute", 237},  {u"icirc", 238},   {u"iuml", 239},
    {u"eth", 240},     {u"ntilde", 241},   {u"ograve", 242},  {u"oacute", 243},  {u"ocirc", 244},
    {u"otilde", 245},  {u"ouml", 246},     {u"divide", 247},  {u"oslash", 248},  {u"ugrave", 249},
    {u"uacute", 250},  {u"ucirc", 251},    {u"uuml", 252},    {u"yacute", 253},  {u"thorn", 254},
    {u"yuml", 255},    {u"fnof", 402},     {u"Alpha", 913},   {u"Beta", 914},    {u"Gamma", 915},
    {u"Delta", 916},   {u"Epsilon", 917},  {u"Zeta", 918},    {u"Eta", 919},     {u"Theta", 920},
    {u"Iota", 921},    {u"Kappa", 922},    {u"Lambda", 923},  {u"Mu", 924},      {u"Nu", 925},
    {u"Xi", 926},      {u"Omicron", 927},  {u"Pi", 928},      {u"Rho", 929},     {u"Sigma", 931},
    {u"Tau", 932},     {u"Upsilon", 933},  {u"Phi", 934},     {u"Chi", 935},     {u"Psi", 936},
    {u"Omega", 937},   {u"alpha", 945},    {u"beta", 946},    {u"gamma", 947},   {u"delta", 948},
    {u"epsilon", 949}, {u"zeta", 950},     {u"eta", 951},     {u"theta", 952},   {u"iota", 953},
    {u"kappa", 954},   {u"lambda", 955},   {u"mu", 956},      {u"nu", 957},      {u"xi", 958},
    {u"omicron", 959}, {u"pi", 960},       {u"rho", 961},     {u"sigmaf", 962},  {u"sigma", 963},
    {u"tau", 964},     {u"upsilon", 965},  {u"phi", 966},     {u"chi", 967},     {u"psi", 968},
    {u"omega", 969},   {u"thetasym", 977}, {u"upsih", 978},   {u"piv", 982},     {u"bull", 8226},
    {u"hellip", 8230}, {u"prime", 8242},   {u"Prime", 8243},  {u"oline", 8254},  {u"frasl", 8260},
    {u"weierp", 8472}, {u"image", 8465},   {u"real", 8476},   {u"trade", 8482},  {u"alefsym", 8501},
    {u"larr", 8592},   {u"uarr", 8593},    {u"rarr", 8594},   {u"darr", 8595},   {u"harr", 8596},
    {u"crarr", 8629},  {u"lArr", 8656},    {u"uArr", 8657},   {u"rArr", 8658},   {u"dArr", 8659},
    {u"hArr", 8660},   {u"forall", 8704},  {u"part", 8706},   {u"exist", 8707},  {u"empty", 8709},
    {u"nabla", 8711},  {u"isin", 8712},    {u"notin", 8713},  {u"ni", 8715},     {u"prod", 8719},
    {u"sum", 8721},    {u"minus", 8722},   {u"lowast", 8727}, {u"radic", 8730},  {u"prop", 8733},
    {u"infin", 8734},  {u"ang", 8736},     {u"and", 8743},    {u"or", 8744},     {u"cap", 8745},
    {u"cup", 8746},    {u"int", 8747},     {u"there4", 8756}, {u"sim", 8764},    {u"cong", 8773},
    {u"asymp", 8776},  {u"ne", 8800},      {u"equiv", 8801},  {u"le", 8804},     {u"ge", 8805},
    {u"sub", 8834},    {u"sup", 8835},     {u"nsub", 8836},   {u"sube", 8838},   {u"supe", 8839},
    {u"oplus", 8853},  {u"otimes", 8855},  {u"perp", 8869},   {u"sdot", 8901},   {u"lceil", 8968},
    {u"rceil", 8969},  {u"lfloor", 8970},  {u"rfloor", 8971}, {u"lang", 9001},   {u"rang", 9002},
    {u"loz", 9674},    {u"spades", 9824},  {u"clubs", 9827},  {u"hearts", 9829}, {u"diams", 9830},
    {u"quot", 34},     {u"amp", 38},       {u"lt", 60},       {u"gt", 62},       {u"OElig", 338},
    {u"oelig", 339},   {u"Scaron", 352},   {u"scaron", 353},  {u"Yuml", 376},    {u"circ", 710},
    {u"tilde", 732},   {u"ensp", 8194},    {u"emsp", 8195},   {u"thinsp", 8201}, {u"zwnj", 8204},
    {u"zwj", 8205},    {u"lrm", 8206},     {u"rlm", 8207},    {u"ndash", 8211},  {u"mdash", 8212},
    {u"lsquo", 8216},  {u"rsquo", 8217},   {u"sbquo", 8218},  {u"ldquo", 8220},  {u"rdquo", 8221},
    {u"bdquo", 8222},  {u"dagger", 8224},  {u"Dagger", 8225}, {u"permil", 8240}, {u"lsaquo", 8249},
    {u"rsaquo", 8250}, {u"euro", 8364},    {u"apos", 39},
};
static_assert(std::size(kEntities) == 253);

constexpr int kBuckets = 130;

char16_t Lower(char16_t c) { return c >= 'A' && c <= 'Z' ? static_cast<char16_t>(c + 32) : c; }

int BucketOf(std::u16string_view name) {
  uint32_t sum = 0;
  for (char16_t c : name) sum += Lower(c);
  return static_cast<int>(sum % kBuckets);
}

bool HasCapital(std::u16string_view name) {
  for (char16_t c : name) {
    if (c >= 'A' && c <= 'Z') return true;
  }
  return false;
}

bool EqualsLowered(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

// Names that differ only in case share a bucket, the capitalised one first.
struct EntityBuckets {
  std::array<std::vector<const Entity*>, kBuckets> buckets;
  EntityBuckets() {
    for (int pass = 0; pass < 2; ++pass) {
      for (const Entity& e : kEntities) {
        if (HasCapital(e.name) == (pass == 0)) buckets[BucketOf(e.name)].push_back(&e);
      }
    }
  }
};

const EntityBuckets& Buckets() {
  static const EntityBuckets buckets;
  return buckets;
}

// Reads a number the way wcstol does: blanks, a sign, an optional 0x in
// base 16, then digits. Out of the Unicode range (or negative) gives -1.
int64_t ReadNumber(std::u16string_view s, int base) {
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  auto digit = [base](char16_t c) -> int {
    int d = 99;
    if (c >= '0' && c <= '9') d = c - '0';
    if (c >= 'a' && c <= 'z') d = c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') d = c - 'A' + 10;
    return d < base ? d : -1;
  };
  if (base == 16 && i + 2 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X') &&
      digit(s[i + 2]) >= 0) {
    i += 2;
  }
  int64_t value = 0;
  for (; i < s.size() && digit(s[i]) >= 0; ++i) {
    value = value * base + digit(s[i]);
    if (value > 0x10FFFF) return -1;
  }
  if (negative && value != 0) return -1;
  return value;
}

}  // namespace

char32_t LookupEntity(std::u16string_view name) {
  if (name.empty()) return 0;
  const auto& bucket = Buckets().buckets[BucketOf(name)];
  for (const Entity* e : bucket) {
    if (name == e->name) return e->value;
  }
  for (const Entity* e : bucket) {
    if (EqualsLowered(name, e->name)) return e->value;
  }
  return 0;
}

std::u16string DecodeEntities(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  constexpr size_t kMaxName = 9;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c != '&') {
      out.push_back(c);
      continue;
    }
    // The ';' must come within the ten units after '&', the name being ASCII.
    size_t semicolon = 0;
    for (size_t k = i + 1; k < text.size() && k <= i + kMaxName + 1; ++k) {
      if (text[k] == ';') {
        semicolon = k;
        break;
      }
      if (text[k] >= 0x80) break;
    }
    if (!semicolon) {
      out.push_back(c);
      continue;
    }
    const std::u16string_view name = text.substr(i + 1, semicolon - i - 1);
    int64_t value = 0;
    if (!name.empty() && name[0] == '#') {
      const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
      value = ReadNumber(name.substr(hex ? 2 : 1), hex ? 16 : 10);
    } else {
      value = LookupEntity(name);
    }
    if (value <= 0) {
      out.push_back(c);
      continue;
    }
    if (value > 0xFFFF) {
      out.push_back(static_cast<char16_t>(0xD800 | (((value - 0x10000) >> 10) & 0x3FF)));
      out.push_back(static_cast<char16_t>(0xDC00 | (value & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(value));
    }
    i = semicolon;
  }
  return out;
}

std::u16string EncodeEntities(std::u16string_view text, bool attributeMode) {
  std::u16string out;
  out.reserve(text.size() + text.size() / 10 + 7);
  for (char16_t c : text) {
    switch (c) {
      case '<':
        out += u"&lt;";
        break;
      case '&':
        out += u"&amp;";
        break;
      case '>':
        out += u"&gt;";
        break;
      case '\'':
        if (attributeMode)
          out += u"&apos;";
        else
          out.push_back(c);
        break;
      case '"':
        if (attributeMode)
          out += u"&quot;";
        else
          out.push_back(c);
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

}  // namespace vwi
