#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/Catalogue.h"
#include "check/CompletedDesignCheck.h"
#include "check/DeliveredCheck.h"
#include "check/DesignCheck.h"
#include "method/DesignComputation.h"
#include "method/DesignState.h"
#include "method/MethodLimits.h"
#include "numeric/NumberText.h"
#include "platform/Prompter.h"

namespace coilsmith {

enum class ControlKind { TextBox, ComboBox, OptionButton };

// One input or output control of the design window, as data.
struct Control {
    std::string name;
    ControlKind kind = ControlKind::TextBox;
    std::string text;                // as displayed (combo box: its edit text)
    std::vector<std::string> items;  // combo box list, in list order
    int selectedIndex = -1;          // combo box: chosen entry, -1 for none
    bool value = false;              // option button
    bool enabled = true;
    bool readOnly = false;
    bool editable = false;  // combo box whose text the user may type (CurD, WU)
    std::string toolTip;
};

// The design window reaches back into the frame through this.
class ChokeListener {
  public:
    virtual ~ChokeListener() = default;
    // A successful "Calculate AP": the frame enables Core Database and Run.
    virtual void areaProductCalculated() = 0;
};

// Page indexes of DsnTab.
inline constexpr int kSpecPage = 0;
inline constexpr int kCorePage = 1;
inline constexpr int kResultsPage = 2;

// The boxes of the core page that a core pick fills (clearCoreParameters empties them).
inline constexpr const char* kCorePageBoxes[] = {"Mu", "APROD", "ACORE", "VCORE", "MPL", "WinArea"};

// The design window without its widgets: every text box, combo box and option button
// with its state, the page availability, the DesignState and the five data sources, and
// the window's procedures. The Qt window, the design file, the command-line tool and the
// core adviser all drive this one model.
class ChokeModel {
  public:
    struct Options {
        std::string appDir;         // the program's folder
        std::string cataloguePath;  // empty: appDir + separator + "Cores.csx"
        NumberLocale locale;
    };

    // Window creation: pages 1 and 2 unavailable, unit texts and factors, AppDir, the
    // catalogue opened through eCores..toroidMaterials, IsECore false. A catalogue that cannot be
    // opened is reported once through the prompter, naming the file; the lists stay empty.
    ChokeModel(Options options, Prompter& prompter, ChokeListener* listener = nullptr);

    // Copies share the catalogue tables (read-only) and keep their own cursors.
    ChokeModel(const ChokeModel&) = default;
    ChokeModel& operator=(const ChokeModel&) = default;

    void setPrompter(Prompter& prompter) noexcept { prompter_ = &prompter; }
    void setListener(ChokeListener* listener) noexcept { listener_ = listener; }

    // Controls, in the window's control order (the order of the design file).
    const std::vector<Control>& controls() const noexcept { return controls_; }
    const Control& control(std::string_view name) const;  // std::out_of_range if unknown
    const std::string& text(std::string_view name) const { return control(name).text; }

    // --- What the user does -------------------------------------------------------
    // Typing into a text box or an editable combo box: sets the text, runs nothing.
    void editText(std::string_view name, std::string text);
    // Setting a list control's text: a text that is one of its items selects that item and
    // runs the control's handler, as when the user picks it; for an editable combo box
    // another text is only set; for a fixed list another text changes nothing.
    // Returns whether the text is now the control's text.
    bool setListText(std::string_view name, const std::string& text);
    // Picking entry `index` of a list: selects it and runs the handler.
    void chooseItem(std::string_view name, int index);
    // An option button set to true runs its handler; set to false it is only cleared.
    void setOption(std::string_view name, bool value);

    // --- What the frame does directly to the controls ----------------------------
    void setTextRaw(std::string_view name, std::string text);  // no handler runs
    void clearList(std::string_view name);
    void setEnabled(std::string_view name, bool enabled);

    // --- Pages -----------------------------------------------------------------------
    // Page indexes outside 0..2 read as unavailable and are otherwise ignored.
    bool pageAvailable(int page) const noexcept { return isPage(page) && available_[page]; }
    void setPageAvailable(int page, bool available) noexcept {
        if (isPage(page))
            available_[page] = available;
    }
    int selectedPage() const noexcept { return selectedPage_; }
    void selectPage(int page) noexcept {
        if (isPage(page))
            selectedPage_ = page;
    }

    // --- The window's procedures ---------------------------------------------------
    void applyInductanceUnit();
    void applyDcCurrentUnit();
    void applyRippleCurrentUnit();
    void applyFrequencyUnit();
    void applyFluxDensityUnit();
    void applyCurrentDensity();
    void applyWindowUtilisation();
    void showSpecifications();
    void showCoreDatabase();
    void calculateAreaProduct();
    void chooseECores();
    void chooseToroids();
    void clearCoreParameters();
    void listECores();
    void listToroids();
    void selectCore();
    void loadECore();
    void loadToroid();
    void selectMaterial();
    // Open's last step: sets the texts of Core and CoreMat as a pick from their lists does,
    // then says which of the design's own the catalogue does not offer ("The core T999 of
    // this design is not in the catalogue", "The material -99 of this design is not listed
    // for the core T157"). Empty texts name no choice and are not reported, nor is a core
    // when no core type is chosen.
    void chooseDesignCore(const std::string& core, const std::string& material);
    // Reads the specification again first when any of its texts or units changed since
    // the last successful "Calculate AP"; a refused input stops the run there.
    void runDesign();
    // The material, inductance, core and cost texts a run shows with its results.
    DesignSelection designSelection();

    // --- State ---------------------------------------------------------------------
    DesignState& state() noexcept { return state_; }
    const DesignState& state() const noexcept { return state_; }
    CatalogueSources& sources() noexcept { return sources_; }
    bool catalogueOpen() const noexcept { return catalogueOpen_; }
    const std::string& cataloguePath() const noexcept { return cataloguePath_; }
    const NumberLocale& locale() const noexcept { return locale_; }
    // The outcome of the last runDesign run (completed or not).
    const std::optional<DesignOutcome>& lastDesign() const noexcept { return lastDesign_; }

    // --- The design check ------------------------------------------------------------
    // The check of the last Run's design, made at the end of every completed Run. It
    // belongs to that Run only: empty before any Run, after a Run that ended on a message,
    // after a refused "Calculate AP" and after any change to the specification, its units
    // and lists, the core type, the core or the material (a design file read, New).
    const std::optional<DesignCheck>& lastCheck() const noexcept { return lastCheck_; }
    // The input the last check was made from.
    const std::optional<DesignCheckInput>& lastCheckInput() const noexcept {
        return lastCheckInput_;
    }
    // The ambient temperature of the check, °C (25 until set). Setting it checks the
    // completed design again, without running the design; a value that is not a finite
    // number is ignored.
    double ambientTemperature() const noexcept { return ambientC_; }
    void setAmbientTemperature(double celsius);
    // The delivered design of the last Run's core and material beside its check, on the
    // chosen stack; it belongs to the check and is dropped, and made again, with it. The
    // catalogue's records are read once per catalogue file.
    const std::optional<DeliveredCheck>& lastDelivered() const noexcept { return lastDelivered_; }
    // The stack the delivered design is made on (the smallest that passes until set);
    // setting it delivers the checked design again. A count outside 1 … 3 is ignored.
    StackChoice deliveredStack() const noexcept { return deliveredStack_; }
    void setDeliveredStack(StackChoice stack);
    // Sizes the specification shown again when it changed since the last "Calculate AP",
    // with its checks and messages, so that what is designed next belongs to it. False
    // when an input was refused.
    bool sizeChangedSpecification();
    // The specification as the window shows it: the typed inputs, their units and the
    // two value lists; and whether it changed since the last successful "Calculate AP"
    // (which keeps these texts in state().sizedSpecification).
    std::vector<std::string> specificationTexts() const;
    bool specificationChangedSinceSizing() const;

    // --- The method's limits ------------------------------------------------------------
    // The minimum and the core's area product as minAP and APROD show them; empty when the
    // box shows no number.
    std::optional<double> minimumAreaProduct() const;
    std::optional<double> coreAreaProduct() const;
    // The text between minAP and APROD on the core page: "<" while the core's AP is above
    // the minimum or either box shows no number, "=" at it, ">" below it; and the same in
    // words, empty when there is nothing to compare.
    struct AreaProductRelation {
        std::string symbol;
        std::string words;
    };
    AreaProductRelation areaProductRelation() const;
    // The method's limits that the design shown exceeds (exceededMethodLimits): from the
    // area products and the results as the boxes show them, against the flux density of
    // the specification last read.
    std::vector<std::string> exceededLimits() const;

  private:
    static constexpr bool isPage(int page) noexcept { return page >= 0 && page < 3; }
    Control& mutableControl(std::string_view name);
    void chooseCoreType(bool eCore);
    void runHandler(std::string_view name);
    void setCreationTexts();
    void openCatalogue(const std::string& path);
    void report(const std::string& text);
    void forgetCheck() noexcept;

    // "Calculate AP": the message it showed when an input was refused, nothing on success.
    std::optional<std::string> sizeSpecification();

    // Catalogue walks shared by the E-core and toroid procedures.
    void fillCoreList(DataSource& cores);
    bool findCore(DataSource& cores);  // leaves the cursor on the row of the Core text
    bool showCoreRow(DataSource& cores);
    void showCatalogueText(std::string_view box, DataSource& cores, std::string_view field);
    void showAreaProduct();
    void listMaterials(DataSource& links, const Value& coreNo);
    void reportMissingCore();
    std::optional<Value> currentCost();

    std::vector<Control> controls_;
    bool available_[3] = {true, false, false};
    int selectedPage_ = kSpecPage;
    DesignState state_;
    CatalogueSources sources_;
    bool catalogueOpen_ = false;
    std::string cataloguePath_;
    NumberLocale locale_;
    Prompter* prompter_;
    ChokeListener* listener_;
    std::optional<DesignOutcome> lastDesign_;

    void checkCompletedDesign();
    double ambientC_ = 25;
    std::optional<DesignCheckInput> lastCheckInput_;
    std::optional<DesignCheck> lastCheck_;
    void deliverCheckedDesign();
    StackChoice deliveredStack_;
    std::optional<DeliveredCheck> lastDelivered_;
    std::shared_ptr<const DeliveredRecords> deliveredRecords_;
};

}  // namespace coilsmith
