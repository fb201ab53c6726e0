// Authenticode signatures on Windows. The platform's verdict on the file
// (WinVerifyTrust through the hold's handle) says whether the signature
// covers its bytes and which signing time a verified timestamp proves; the
// signer and its chain are read by this program itself from the signature in
// the file, because the platform's verdict alone misses what some systems do
// not check (a chain of SHA-256 certificates, a partial chain).
#include <windows.h>

#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

#include <optional>
#include <vector>

#include "download/embedded_signature.h"
#include "download/payload_files.h"
#include "download/signature_facts.h"
#include "platform/held_folder.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"
#include "platform/win/win_held_folder.h"

namespace vwi {
namespace {

// Set in chainErrors when the platform itself refused the certificate.
constexpr uint32_t kPlatformRefusedChain = 0x80000000;

void CloseStore(HCERTSTORE store) { CertCloseStore(store, 0); }
void CloseMessage(HCRYPTMSG message) { CryptMsgClose(message); }
void FreeCertificate(PCCERT_CONTEXT certificate) { CertFreeCertificateContext(certificate); }
void FreeChain(PCCERT_CHAIN_CONTEXT chain) { CertFreeCertificateChain(chain); }
using UniqueStore = UniqueHandle<NullHandleTraits<HCERTSTORE, CloseStore>>;
using UniqueMessage = UniqueHandle<NullHandleTraits<HCRYPTMSG, CloseMessage>>;
using UniqueCertificate = UniqueHandle<NullHandleTraits<PCCERT_CONTEXT, FreeCertificate>>;
using UniqueChain = UniqueHandle<NullHandleTraits<PCCERT_CHAIN_CONTEXT, FreeChain>>;

// The verdicts that concern the certificate, not the file's bytes.
bool IsCertificateVerdict(LONG result) {
  switch (static_cast<HRESULT>(result)) {
    case CERT_E_EXPIRED:
    case CERT_E_UNTRUSTEDROOT:
    case CERT_E_CHAINING:
    case CERT_E_WRONG_USAGE:
    case CERT_E_UNTRUSTEDTESTROOT:
    case CERT_E_REVOKED:
    case CERT_E_PURPOSE:
    case CERT_E_VALIDITYPERIODNESTING:
    case TRUST_E_CERT_SIGNATURE:
    case TRUST_E_EXPLICIT_DISTRUST:
      return true;
    default:
      return false;
  }
}

// What the platform's check says: its result, and the signing time a
// verified timestamp proves (nothing without one).
struct PlatformVerdict {
  LONG result = TRUST_E_NOSIGNATURE;
  std::optional<FILETIME> timestamp;
};

PlatformVerdict VerifyWithPlatform(HANDLE file, const std::u16string& path) {
  WINTRUST_FILE_INFO fileInfo{};
  fileInfo.cbStruct = sizeof(fileInfo);
  fileInfo.pcwszFilePath = Wide(path);
  fileInfo.hFile = file;
  WINTRUST_DATA data{};
  data.cbStruct = sizeof(data);
  data.dwUIChoice = WTD_UI_NONE;
  data.fdwRevocationChecks = WTD_REVOKE_NONE;
  data.dwUnionChoice = WTD_CHOICE_FILE;
  data.pFile = &fileInfo;
  data.dwStateAction = WTD_STATEACTION_VERIFY;
  data.dwProvFlags = WTD_REVOCATION_CHECK_NONE | WTD_CACHE_ONLY_URL_RETRIEVAL;
  GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
  PlatformVerdict verdict;
  verdict.result = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
  if (CRYPT_PROVIDER_DATA* provider = WTHelperProvDataFromStateData(data.hWVTStateData)) {
    CRYPT_PROVIDER_SGNR* signer = WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0);
    // The time the signer was verified at is the timestamp's only when one
    // was there and verified with it.
    if (verdict.result == ERROR_SUCCESS && signer && signer->csCounterSigners > 0) {
      verdict.timestamp = signer->sftVerifyAsOf;
    }
  }
  data.dwStateAction = WTD_STATEACTION_CLOSE;
  WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
  return verdict;
}

// The signing certificate of the signed data, with the certificates that
// came with it (the chain's intermediates).
struct Signer {
  UniqueStore store;
  UniqueCertificate certificate;
};

std::optional<Signer> SignerOf(const std::vector<uint8_t>& signedData) {
  CRYPT_DATA_BLOB blob{static_cast<DWORD>(signedData.size()), const_cast<BYTE*>(signedData.data())};
  Signer signer;
  HCERTSTORE store = nullptr;
  HCRYPTMSG message = nullptr;
  if (!CryptQueryObject(CERT_QUERY_OBJECT_BLOB, &blob, CERT_QUERY_CONTENT_FLAG_PKCS7_SIGNED,
                        CERT_QUERY_FORMAT_FLAG_BINARY, 0, nullptr, nullptr, nullptr, &store,
                        &message, nullptr)) {
    return std::nullopt;
  }
  signer.store.reset(store);
  UniqueMessage owned(message);
  DWORD size = 0;
  if (!CryptMsgGetParam(message, CMSG_SIGNER_CERT_INFO_PARAM, 0, nullptr, &size)) {
    return std::nullopt;
  }
  std::vector<uint8_t> info(size);
  if (!CryptMsgGetParam(message, CMSG_SIGNER_CERT_INFO_PARAM, 0, info.data(), &size)) {
    return std::nullopt;
  }
  signer.certificate.reset(CertFindCertificateInStore(
      store, X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, 0, CERT_FIND_SUBJECT_CERT,
      reinterpret_cast<CERT_INFO*>(info.data()), nullptr));
  if (!signer.certificate) return std::nullopt;
  return signer;
}

// The SHA-256 of the certificate's SubjectPublicKeyInfo, as encoded.
std::optional<Sha256Digest> KeyOf(PCCERT_CONTEXT certificate) {
  CERT_PUBLIC_KEY_INFO& key = certificate->pCertInfo->SubjectPublicKeyInfo;
  DWORD size = 0;
  if (!CryptEncodeObject(X509_ASN_ENCODING, X509_PUBLIC_KEY_INFO, &key, nullptr, &size)) {
    return std::nullopt;
  }
  std::vector<uint8_t> encoded(size);
  if (!CryptEncodeObject(X509_ASN_ENCODING, X509_PUBLIC_KEY_INFO, &key, encoded.data(), &size)) {
    return std::nullopt;
  }
  return Sha256OfBytes(encoded.data(), size);
}

// The chain's error bits, built for code signing at `time` (now when none).
uint32_t ChainErrors(const Signer& signer, const std::optional<FILETIME>& time) {
  LPSTR usages[] = {const_cast<LPSTR>(szOID_PKIX_KP_CODE_SIGNING)};
  CERT_CHAIN_PARA parameters{};
  parameters.cbSize = sizeof(parameters);
  parameters.RequestedUsage.dwType = USAGE_MATCH_TYPE_AND;
  parameters.RequestedUsage.Usage.cUsageIdentifier = 1;
  parameters.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
  FILETIME at{};
  if (time) at = *time;
  PCCERT_CHAIN_CONTEXT chain = nullptr;
  if (!CertGetCertificateChain(nullptr, signer.certificate.get(), time ? &at : nullptr,
                               signer.store.get(), &parameters, 0, nullptr, &chain)) {
    return CERT_TRUST_IS_PARTIAL_CHAIN;
  }
  UniqueChain owned(chain);
  return chain->TrustStatus.dwErrorStatus;
}

SignatureFacts ReadFacts(IHeldFile& file, const std::u16string& path) {
  SignatureFacts facts;
  const std::optional<std::vector<uint8_t>> signedData = EmbeddedSignature(file);
  if (!signedData) return facts;
  facts.present = true;
  const PlatformVerdict verdict = VerifyWithPlatform(file.NativeHandle(), path);
  facts.verifyResult = static_cast<uint32_t>(verdict.result);
  facts.intact = verdict.result == ERROR_SUCCESS || IsCertificateVerdict(verdict.result);
  const std::optional<Signer> signer = SignerOf(*signedData);
  if (!signer) {
    facts.intact = false;
    return facts;
  }
  facts.signerKey = KeyOf(signer->certificate.get());
  facts.timestamped = verdict.timestamp.has_value();
  facts.chainErrors = ChainErrors(*signer, verdict.timestamp);
  if (verdict.result != ERROR_SUCCESS) facts.chainErrors |= kPlatformRefusedChain;
  return facts;
}

class WinSignatures final : public ISignatureReader {
 public:
  SignatureFacts OwnSignature() override {
    if (!own_) own_ = ReadOwn();
    return *own_;
  }
  SignatureFacts Read(IHeldFile& file, const std::u16string& path) override {
    return ReadFacts(file, path);
  }

 private:
  static SignatureFacts ReadOwn() {
    wchar_t buffer[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 2);
    if (length == 0 || length >= MAX_PATH * 2) return {};
    UniqueFile file(CreateFileW(buffer, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    const std::unique_ptr<IHeldFile> own = HeldFileOf(std::move(file));
    return ReadFacts(*own, FromWide(std::wstring_view(buffer, length)));
  }
  std::optional<SignatureFacts> own_;
};

}  // namespace

ISignatureReader& SystemSignatures() {
  static WinSignatures signatures;
  return signatures;
}

}  // namespace vwi
