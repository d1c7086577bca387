// SPDX-License-Identifier: GPL-3.0-or-later
// The page's scripts against the browsers in web/.browserslistrc (BROWSERSLIST_CONFIG names
// it): no API that one of them lacks, and no syntax newer than ECMAScript 2018, which Safari 12
// and Chrome 70 parse.
import compat from 'eslint-plugin-compat';

export default [{
    files: ['**/*.js'],
    languageOptions: {ecmaVersion: 2018, sourceType: 'script'},
    plugins: {compat},
    rules: {'compat/compat': 'error'},
}];
