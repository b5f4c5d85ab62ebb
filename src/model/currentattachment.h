#pragma once

class District;
class Outcome;

// The refresh of the attachment pages after a party change and at the end of the complete check, into
// the outcome: the counters Label13 / Label13_2 show the current P1 record's number ("-" while no party
// has a vote), then PocKand, the focus into pVPH when it can take it, and boldnut. The quick-choice
// selection is the caller's: the moves select the current attachment's item, the quick choice keeps the
// user's.
void showCurrentAttachment(District &district, Outcome &outcome);

// The quick-choice list selects the current attachment's item.
void selectCurrentAttachment(District &district, Outcome &outcome);
