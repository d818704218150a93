// The "Align-Format" page: on the left every FASTA file of a folder aligned
// with MUSCLE, MAFFT or PRANK; on the right every aligned file of a folder
// converted into PHYLIP, PAML and NEXUS. The work is in
// tools/align_format_routines.h.
#pragma once

#include <array>
#include <memory>
#include <optional>

#include "platform/request_turns.h"
#include "tools/aligners.h"
#include "tools/tool_page.h"

class QAbstractButton;

namespace tulvarine {

class AlignFormatPage : public ToolPage {
    Q_OBJECT

public:
    explicit AlignFormatPage(const ToolPageContext& context);

private:
    void OnAlignScanClick();
    void OnAlignFolderChanged();
    void OnAlignRunClick();
    // The five aligner radios share one body: the group is drawn anew.
    void OnAlignMuscleClick();
    void OnAlignMafftClick();
    void OnAlignPrankProteinClick();
    void OnAlignPrankDnaClick();
    void OnAlignPrankCodonClick();

    void OnFormatScanClick();
    void OnFormatFolderChanged();
    void OnFormatRunClick();
    // The four format check boxes share one body: each is drawn by its own state.
    void OnFormatPhylipiClick();
    void OnFormatPhylipsClick();
    void OnFormatPamlClick();
    void OnFormatNexusClick();

    void ColourAlignerRadios();
    void ColourFormatChecks();
    std::optional<Aligner> CheckedAligner() const;

    // In the order the page tests them: muscle, mafft, prank protein, DNA, codon.
    std::array<QAbstractButton*, 5> aligners_;
    // In layout order: phylipi, phylips, paml, nexus.
    std::array<QAbstractButton*, 4> formats_;
    // Shared with the workers, which may outlive the page at exit.
    std::shared_ptr<platform::RequestTurns> alignListing_ = std::make_shared<platform::RequestTurns>();
    std::shared_ptr<platform::RequestTurns> formatListing_ = std::make_shared<platform::RequestTurns>();
};

}  // namespace tulvarine
