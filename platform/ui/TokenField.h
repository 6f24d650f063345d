#pragma once

#include "platform/ui/TextField.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

// A text field whose text is a list of tokens separated by commas, shown as pills while not
// being edited. While the user types a token, the completion source offers whole tokens
// for the part typed; Tab or Return takes the first offer. BackSpace at the start of the
// typed text selects the token before it and then removes it, Delete the one after. The
// field's value is the tokens joined by ", ".
class TokenField : public TextField {
public:
    static std::shared_ptr<TokenField> create();

    // Completions for the token being typed (its typed part), best first.
    std::function<std::vector<std::string>(const std::string& substring, std::size_t tokenIndex)> completions;

    std::vector<std::string> tokens() const;
    void setTokens(const std::vector<std::string>& tokens);
    // The offer for the token being typed, empty when there is none.
    const std::string& suggestion() const { return m_suggestion; }
    // Takes the offer in place of the typed part; false without one.
    bool acceptSuggestion();

    // Splits a value into trimmed, non-empty tokens.
    static std::vector<std::string> split(const std::string& value);
    static std::string join(const std::vector<std::string>& tokens);

    void keyDown(const Event& event) override;
    bool resignFirstResponder() override;
    // No offer shows beside a composition; one is looked for again once it is committed.
    void setComposition(const Composition& composition) override;
    void commitText(const std::string& utf8) override;

    // Its tokens are drawn from more than its text.
    bool marksItsOwnChanges() const override { return false; }

protected:
    TokenField();
    void drawOwnLook(gfx::GraphicsContext& context) override;

private:
    void refreshSuggestion();
    void tokenizeAfterComma();
    // BackSpace at the start of the typed text selects the token before it, Delete the one
    // after it, so that the next press removes that token whole. False for any other key.
    bool selectTokenBesideCaret(const Event& event);
    // Pills of the tokens from the left of the area; where the next would go.
    double drawPills(gfx::GraphicsContext& context, const std::vector<std::string>& list, const Rect& area) const;
    bool drawEditingWithPills(gfx::GraphicsContext& context);
    // What a pill shows of a token at most, in bytes: far wider than any field.
    static constexpr std::size_t kShownLimit = 256;
    // The token shortened to fit a width, with an ellipsis; empty when nothing fits. At most
    // kShownLimit bytes of it are ever measured.
    std::string elided(const std::string& token, double width) const;
    // The token the caret is in: its index and its start in the text.
    std::size_t currentTokenStart() const;

    std::string m_suggestion;
};

}
