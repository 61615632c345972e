#pragma once

class QWidget;

namespace coilsmith {

// The three pages of the design window's tab control. Every input and result control is
// created here with its name as objectName; Choke finds them by that name and binds them
// to the model.
QWidget* makeSpecificationsPage();
QWidget* makeCoreDatabasePage();
QWidget* makeResultsPage();

}  // namespace coilsmith
