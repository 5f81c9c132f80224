// The host's side of Checksums: the range picker with the algorithms, and
// the window that computes and lists the digests.
#include "core/Digests.h"
#include "core/Texts.h"
#include "dialogs/ChecksumForm.h"
#include "dialogs/RangePickForm.h"
#include "platform/QtHost.h"

int TQtHost::ShowChecksumRangeDialog(int32_t& start, int32_t& count, uint32_t& kinds) {
  TRangePickForm form(QString::fromUtf8(Tr("Checksums", "Prüfsummen")), FOwner);
  auto* box = new TDigestKindsBox(kinds);
  form.SetExtraWidget(box);
  // Nothing to compute without an algorithm.
  form.SetExtraValid([box] { return box->Kinds() != 0; });
  QObject::connect(box, &TDigestKindsBox::Changed, &form, [&form] { form.UpdateRange(); });
  if (PickRange(form, start, count) != mrOk) return mrCancel;
  kinds = box->Kinds();
  return mrOk;
}

int TQtHost::ShowChecksums(const TChecksumJob& job) {
  TChecksumForm form(FOwner);
  const int result = form.Execute(job);
  if (FOwner) FOwner->activateWindow();
  return result;
}
