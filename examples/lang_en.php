<?php
/**
 * English language file of the example site.
 * Each text is one define line; translate the text between the second
 * pair of quotes and leave the constant names as they are.
 */
// Site
define('_SITE_TITLE', 'Harbour Street Allotments');
define('_SITE_SLOGAN', 'Growing vegetables together since 1987');
define('_HOME', 'Home');
define('_NEWS', 'News');
define('_CONTACT', 'Contact');
define('_SEARCH', 'Search');
define('_SEARCH_RESULTS', 'Search results for "%s"');
define('_NO_RESULTS', 'Nothing found. Try fewer words.');
define('_READ_MORE', 'Read more…');

// Members
define('_LOGIN', 'Log in');
define('_LOGOUT', 'Log out');
define('_USERNAME', 'User name');
define('_PASSWORD', 'Password');
define('_REMEMBER_ME', 'Remember me on this computer');
define('_WELCOME_BACK', 'Welcome back, {name}!');
define('_LAST_VISIT', 'Your last visit was on %1$s at %2$s.');
define('_NOT_AUTHORISED', 'You don\'t have access to this page.');
define('_MEMBERS_ONLINE', "%d members online");

// Plots
define('_PLOT', 'Plot');
define('_PLOT_NUMBER', 'Plot %d');
define('_PLOT_SIZE', 'Size: %.1f m²');
define('_PLOT_FREE', 'This plot is free.');
define('_PLOT_TAKEN', 'This plot is rented by {member} until {date}.');
define('_WAITING_LIST', 'There are %d people on the waiting list.');
define('_RENT_PER_YEAR', "Rent: \$%s per year");
define('_FULL', '100% taken');

// Calendar
define('_MONDAY', 'Monday');
define('_TUESDAY', 'Tuesday');
define('_WEDNESDAY', 'Wednesday');
define('_THURSDAY', 'Thursday');
define('_FRIDAY', 'Friday');
define('_SATURDAY', 'Saturday');
define('_SUNDAY', 'Sunday');
define('_WORKING_DAY', 'Working day: first Saturday of the month, 10:00 to 14:00');

// Messages
define('_SAVED', 'Your changes have been saved.');
define('_CONFIRM_DELETE', 'Delete "%s"? This cannot be undone.');
define('_UPLOAD_FOLDER', 'Files go to C:\\Allotments\\');
define('_RULES', 'Rules of the association:
1. Keep your plot tidy.
2. No bonfires.');

// Settings that are not texts
define('_ITEMS_PER_PAGE', 20);
define('_DATE_FORMAT', '%d.%m.%Y');
?>
