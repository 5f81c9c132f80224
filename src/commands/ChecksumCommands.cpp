#include "commands/ChecksumCommands.h"

#include "core/Digests.h"
#include "core/DocState.h"
#include "core/OptionsState.h"
#include "core/Seams.h"
#include "core/Texts.h"

std::string ChecksumName() {
  const std::string& path = DocFileName();
  const size_t slash = path.find_last_of('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return name.empty() ? std::string("-") : name;
}

void ChecksumsMenuItemClick() {
  if (!Doc.DocData || Doc.DocSize <= 0) return;
  int32_t start = 0, count = 0;
  uint32_t kinds = SoundDigestKinds(Options.ChecksumKinds);
  if (Host().ShowChecksumRangeDialog(start, count, kinds) != mrOk) return;
  kinds &= AllDigestKinds;
  if (!kinds || start < 0 || count <= 0 || int64_t(start) + count > Doc.DocSize) return;
  Options.ChecksumKinds = int32_t(kinds);
  const TChecksumJob job{Doc.DocData + start, start, count, kinds, ChecksumName()};
  if (Host().ShowChecksums(job) != mrOk) View().ShowNotice(Tr("Checksums stopped", "Prüfsummen abgebrochen"));
}
