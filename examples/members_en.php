<?php
/**
 * English language file of the example site's members module.
 * Many of its texts stand in lang_en.php too, some word for word and some
 * a little changed: translate lang_en.php first, and the translation
 * memory offers what you wrote there.
 */
// Logging in
define('_MEMBERS_LOGIN', 'Log in');
define('_MEMBERS_LOGOUT', 'Log out');
define('_MEMBERS_USERNAME', 'User name');
define('_MEMBERS_PASSWORD', 'Password');
define('_MEMBERS_REMEMBER', 'Remember me on this computer');
define('_MEMBERS_WELCOME', 'Welcome back, {member}!');
define('_MEMBERS_LAST_VISIT', 'Your last visit was on %1$s.');
define('_MEMBERS_DENIED', 'You don\'t have access to this members page.');

// The list of members
define('_MEMBERS_TITLE', 'Members');
define('_MEMBERS_ONLINE', "%d members online");
define('_MEMBERS_SEARCH', 'Search');
define('_MEMBERS_NO_RESULTS', 'Nothing found. Try fewer words.');
define('_MEMBERS_WAITING', 'There are %d members on the waiting list.');
define('_MEMBERS_PLOT', 'Plot %d');

// Profile
define('_MEMBERS_SAVED', 'Your changes have been saved.');
define('_MEMBERS_DELETE', 'Delete the member "%s"? This cannot be undone.');
define('_MEMBERS_WORKING_DAY', 'Next working day: first Saturday of the month, 10:00 to 13:00');
define('_MEMBERS_PHONE', 'Phone number');
?>
