#include "context/manifest_reader.h"

#include "platform/text.h"
#include "xml/xml_document.h"

namespace vwi {
namespace {

// The cursor moves of the manifest format: a value is a child of the
// current element, found after the previously selected child; "next" values
// are later siblings of the current element.
class ManifestCursor {
 public:
  explicit ManifestCursor(XmlDocument& document) : doc_(document) {}

  // Child element `name` after the selected child: its text, entered and left again.
  bool ReadValue(const char16_t* name, std::u16string& into) {
    if (!doc_.FindChildElement(name)) return false;
    doc_.EnterElement();
    into = doc_.GetElementText(doc_.currentIndex());
    doc_.LeaveElement();
    return true;
  }

  // Sibling `name` after the current element: its text, which becomes current.
  bool ReadNext(const char16_t* name, std::u16string& into) {
    if (!doc_.FindElement(name)) return false;
    into = doc_.GetElementText(doc_.currentIndex());
    return true;
  }

  // As ReadNext, for a value that may be missing altogether.
  void ReadNext(const char16_t* name, std::optional<std::u16string>& into) {
    std::u16string text;
    if (ReadNext(name, text)) into = std::move(text);
  }

  // The first child `name` of the current element, entered: its text.
  bool EnterChild(const char16_t* name, std::u16string& into) {
    if (!doc_.FindChildElement(name)) return false;
    doc_.EnterElement();
    into = doc_.GetElementText(doc_.currentIndex());
    return true;
  }

  // Every later sibling `element` whose first child is `key`: `read` gets the
  // key's text with the record entered, and reads the rest with ReadNext. A
  // record without its key is passed over.
  template <typename Read>
  void ReadRecords(const char16_t* element, const char16_t* key, Read read) {
    while (doc_.FindElement(element)) {
      std::u16string keyText;
      if (!EnterChild(key, keyText)) continue;
      read(std::move(keyText));
      doc_.LeaveElement();
    }
  }

  XmlDocument& doc() { return doc_; }

 private:
  XmlDocument& doc_;
};

// The values a language's record ends with: its package's name, address and digest.
template <typename Record>
void ReadPayloadValues(ManifestCursor& cursor, Record& record) {
  cursor.ReadNext(u"name", record.name);
  cursor.ReadNext(u"full_url", record.url);
  cursor.ReadNext(u"sha256", record.sha256);
}

void ReadMainComponent(ManifestCursor& cursor, ProductManifest& manifest) {
  XmlDocument& doc = cursor.doc();
  if (!doc.FindElement(u"main_component")) return;
  std::u16string name;
  if (!cursor.EnterChild(u"name", name)) return;
  manifest.mainComponentName = std::move(name);
  cursor.ReadNext(u"executable", manifest.mainExecutable);
  cursor.ReadNext(u"full_url", manifest.mainComponentUrl);
  cursor.ReadRecords(u"transform", u"lang_id", [&](const std::u16string& id) {
    ManifestTransform transform;
    transform.languageId = ParseLenientInt(id);
    ReadPayloadValues(cursor, transform);
    manifest.transforms.push_back(std::move(transform));
  });
  // The digest is the group's last child: after the transforms, or after the
  // last value when there are none.
  cursor.ReadNext(u"sha256", manifest.mainComponentSha256);
  doc.LeaveElement();
}

void ReadLanguagePacks(ManifestCursor& cursor, ProductManifest& manifest) {
  cursor.ReadRecords(u"language_pack", u"lang_id", [&](const std::u16string& id) {
    ManifestLanguagePack pack;
    pack.languageId = ParseLenientInt(id);
    cursor.ReadNext(u"pid", pack.pid);
    ReadPayloadValues(cursor, pack);
    manifest.languagePacks.push_back(std::move(pack));
  });
}

void ReadDependencies(ManifestCursor& cursor, ProductManifest& manifest) {
  cursor.ReadRecords(u"dependency", u"name", [&](std::u16string name) {
    ManifestComponent component;
    component.name = std::move(name);
    cursor.ReadNext(u"full_url", component.url);
    cursor.ReadNext(u"install_commandline", component.installCommandLine);
    cursor.ReadNext(u"sha256", component.sha256);
    manifest.dependencies.push_back(std::move(component));
  });
}

void ReadProduct(ManifestCursor& cursor, ProductManifest& manifest) {
  cursor.ReadValue(u"pid", manifest.pid);
  cursor.ReadValue(u"full_name", manifest.fullName);
  cursor.ReadValue(u"short_name", manifest.shortName);
  cursor.ReadValue(u"registry", manifest.registryPath);
  std::u16string standalone;
  if (cursor.ReadValue(u"standalone", standalone)) {
    manifest.standalone = EqualsIgnoreAsciiCase(standalone, u"true");
  }
  cursor.ReadValue(u"standalone_version", manifest.standaloneVersion);
  cursor.ReadValue(u"version_check_url", manifest.versionCheckUrl);

  // The groups follow the last value found (or start at the first child).
  cursor.doc().EnterElement();
  ReadMainComponent(cursor, manifest);
  ReadLanguagePacks(cursor, manifest);
  ReadDependencies(cursor, manifest);
}

void ReadDocument(XmlDocument& doc, ProductManifest& manifest) {
  if (!doc.FindElement(u"vrelwebinstaller")) return;
  ManifestCursor cursor(doc);
  cursor.ReadValue(u"web_installer_version", manifest.webInstallerVersion);
  cursor.ReadValue(u"product_code", manifest.productCode);
  if (!doc.FindChildElement(u"product")) return;
  doc.EnterElement();
  ReadProduct(cursor, manifest);
}

}  // namespace

bool ParseManifest(std::u16string_view path, ProductManifest& manifest, IRawFileSystem& files,
                   ICodePageConverter& converter) {
  XmlDocument doc;
  doc.SetText(nullptr);
  doc.SetFileSizeLimit(kMaxManifestBytes);
  if (!doc.LoadFile(path, files, converter)) return false;
  ReadDocument(doc, manifest);
  return true;
}

bool ParseManifest(std::u16string_view path, ProductManifest& manifest) {
  return ParseManifest(path, manifest, SystemFileSystem(), SystemCodePageConverter());
}

}  // namespace vwi
