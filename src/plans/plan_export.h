#pragma once

namespace orvalen {

class Launcher;
class Notifier;
class PlanTable;
class ProgramFolder;
class SystemQuery;

// Exports the saved plans (序号, 阶段名称, 动态文本, 总时长, 长期计时) as the
// worksheet "sheet1": to sheet1.xlsx in the program folder, opened with the
// desktop's spreadsheet program, when one is registered; otherwise, after
// saying so, to sheet1.csv there, opened with the desktop's viewer. A file
// that could not be written is reported and never opened.
void export_plan_table(const PlanTable& table, const ProgramFolder& folder, SystemQuery& system,
                       Launcher& launcher, Notifier& notifier);

} // namespace orvalen
